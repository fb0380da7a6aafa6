#pragma once

#include <functional>

class QDialog;

// Runs a dialog modally. When a test has queued an answer, the answer is given
// the real dialog once it is on screen, so no person is needed.
int execModal(QDialog& dialog);

using ModalAnswer = std::function<void(QDialog&)>;
// Queues an answer for the next dialog run through execModal.
void queueModalAnswer(ModalAnswer answer);
bool modalAnswersPending();
void clearModalAnswers();
