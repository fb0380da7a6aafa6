#include "modal.h"

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <deque>

namespace {

std::deque<ModalAnswer>& answers() {
    static std::deque<ModalAnswer> queue;
    return queue;
}

} // namespace

int execModal(QDialog& dialog) {
    if (!answers().empty()) {
        ModalAnswer answer = std::move(answers().front());
        answers().pop_front();
        QPointer<QDialog> target(&dialog);
        QTimer::singleShot(0, &dialog, [target, answer = std::move(answer)]() {
            if (target) {
                answer(*target);
            }
        });
    }
    return dialog.exec();
}

void queueModalAnswer(ModalAnswer answer) {
    answers().push_back(std::move(answer));
}

bool modalAnswersPending() {
    return !answers().empty();
}

void clearModalAnswers() {
    answers().clear();
}
