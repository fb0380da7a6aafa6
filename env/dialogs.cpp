#include "dialogs.h"

#include "platform/arith.h"
#include "platform/ui/modal.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <vector>

namespace {

// A fixed-size dialog whose Escape presses its cancel button (when it has
// one) and whose close box gives Cancel.
class ButtonDialog : public QDialog {
public:
    ButtonDialog()
        : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                               Qt::MSWindowsFixedSizeDialogHint) {}

    void setCancelButton(QPushButton* button) { m_cancel = button; }

    void reject() override { done(messageresult::cancel); }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Cancel)) {
            if (m_cancel) {
                m_cancel->click();
            }
            event->accept();
            return;
        }
        QDialog::keyPressEvent(event);
    }

private:
    QPointer<QPushButton> m_cancel;
};

// Pixels from dialog units of a font: a quarter of the average character
// width across, an eighth of the character height down.
struct DialogUnits {
    CharSize units;
    std::int32_t x(std::int32_t h) const { return mulDiv(h, units.width, 4); }
    std::int32_t y(std::int32_t v) const { return mulDiv(v, units.height, 8); }
};

struct ButtonInfo {
    MessageButtons bit;
    const char* caption; // as the platform names it, before relabelling
    int result;          // 0: the button leaves the box open
};

constexpr ButtonInfo buttonTable[] = {
    {messagebutton::yes, "&Yes", messageresult::yes},
    {messagebutton::no, "&No", messageresult::no},
    {messagebutton::ok, "OK", messageresult::ok},
    {messagebutton::cancel, "Cancel", messageresult::cancel},
    {messagebutton::abort, "&Abort", messageresult::abort},
    {messagebutton::retry, "&Retry", messageresult::retry},
    {messagebutton::ignore, "&Ignore", messageresult::ignore},
    {messagebutton::all, "&All", messageresult::all},
    {messagebutton::noToAll, "N&o to All", messageresult::noToAll},
    {messagebutton::yesToAll, "Yes to &All", messageresult::yesToAll},
    {messagebutton::help, "&Help", 0},
};

// Whole captions only, compared exactly, in this order.
constexpr const char* relabelling[][2] = {
    {"&Yes", "&Ja"},           {"&No", "&Nee"},
    {"&Cancel", "&Annuleren"}, {"Cancel", "&Annuleren"},
    {"&None", "&Geen"},        {"&Abort", "&Annuleren"},
    {"&Retry", "&&Opnieuw"},   {"&Ignore", "&&Laat maar ...."},
    {"&All", "&&Alle(n)"},
};

QString relabelled(QString caption) {
    for (const auto& row : relabelling) {
        if (caption == QLatin1String(row[0])) {
            caption = QString::fromLatin1(row[1]);
        }
    }
    return caption;
}

// Every child control in index order: icon, text and buttons alike.
void relabelChildren(QDialog& dialog) {
    for (QObject* child : dialog.children()) {
        if (auto* label = qobject_cast<QLabel*>(child)) {
            label->setText(relabelled(label->text()));
        } else if (auto* button = qobject_cast<QAbstractButton*>(child)) {
            button->setText(relabelled(button->text()));
        }
    }
}

QString kindTitle(MessageKind kind) {
    switch (kind) {
    case MessageKind::Warning:
        return QStringLiteral("Waarschuwing");
    case MessageKind::Error:
        return QStringLiteral("Fout melding");
    case MessageKind::Information:
        return QStringLiteral("Informatie");
    case MessageKind::Confirmation:
        return QStringLiteral("Bevestiging");
    case MessageKind::Custom:
        break;
    }
    return {};
}

QRect screenArea() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        return screen->availableGeometry();
    }
    return QRect(0, 0, 1024, 768);
}

void centreOnScreen(QWidget& window) {
    const QRect area = screenArea();
    window.move(area.left() + (area.width() - window.width()) / 2,
                area.top() + (area.height() - window.height()) / 2);
}

// Icon left, text beside it, the buttons centred in a row below; sizes from
// the dialog font, buttons at least 50 x 14 dialog units.
void layoutMessage(QDialog& dialog, QLabel* icon, QLabel& text,
                   const std::vector<QPushButton*>& buttons) {
    const DialogUnits du{averagecharsize(dialog.font())};
    const int margin = du.x(8);
    const int top = du.y(8);
    const int gap = du.x(10);
    const int rowGap = du.y(10);
    const int buttonGap = du.x(4);

    int buttonWidth = du.x(50);
    int buttonHeight = du.y(14);
    for (QPushButton* b : buttons) {
        buttonWidth = std::max(buttonWidth, b->sizeHint().width());
        buttonHeight = std::max(buttonHeight, b->sizeHint().height());
    }

    const QSize iconSize = icon ? icon->sizeHint() : QSize(0, 0);
    const int textLeft = margin + (icon ? iconSize.width() + gap : 0);
    const int maxTextWidth = std::max(200, screenArea().width() / 2);
    const QFontMetrics metrics(text.font());
    const QRect natural = metrics.boundingRect(QRect(0, 0, maxTextWidth, 100000),
                                               Qt::TextWordWrap | Qt::TextExpandTabs, text.text());
    const int textWidth = std::clamp(natural.width() + 1, 1, maxTextWidth);
    const int hfw = text.heightForWidth(textWidth);
    const int textHeight = std::max(hfw > 0 ? hfw : natural.height(), metrics.height());

    if (icon) {
        icon->setGeometry(margin, top, iconSize.width(), iconSize.height());
    }
    text.setGeometry(textLeft, top, textWidth, textHeight);

    const int count = static_cast<int>(buttons.size());
    const int rowWidth = count * buttonWidth + std::max(0, count - 1) * buttonGap;
    const int width = std::max(textLeft + textWidth + margin, rowWidth + 2 * margin);
    const int rowTop = top + std::max(iconSize.height(), textHeight) + rowGap;
    int x = (width - rowWidth) / 2;
    for (QPushButton* b : buttons) {
        b->setGeometry(x, rowTop, buttonWidth, buttonHeight);
        x += buttonWidth + buttonGap;
    }
    const int height = count > 0 ? rowTop + buttonHeight + top : rowTop - rowGap + top;
    dialog.setFixedSize(width, height);
}

QStyle::StandardPixmap iconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Warning:
        return QStyle::SP_MessageBoxWarning;
    case MessageKind::Error:
        return QStyle::SP_MessageBoxCritical;
    case MessageKind::Information:
        return QStyle::SP_MessageBoxInformation;
    case MessageKind::Confirmation:
    case MessageKind::Custom:
        break;
    }
    return QStyle::SP_MessageBoxQuestion;
}

} // namespace

CharSize averagecharsize(const QFont& font) {
    const QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {metrics.horizontalAdvance(letters) / 52, metrics.height()};
}

std::unique_ptr<QDialog> makemessagedialog(const QString& msg, const QString& caption,
                                           MessageKind kind, MessageButtons buttons,
                                           std::int32_t /*helpContext*/, std::int32_t x,
                                           std::int32_t y) {
    auto dialog = std::make_unique<ButtonDialog>();
    dialog->setWindowTitle(QGuiApplication::applicationDisplayName());

    QLabel* icon = nullptr;
    if (kind != MessageKind::Custom) {
        icon = new QLabel(dialog.get());
        icon->setObjectName(QStringLiteral("icon"));
        const int size =
            dialog->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, dialog.get());
        icon->setPixmap(
            dialog->style()->standardIcon(iconOf(kind), nullptr, dialog.get()).pixmap(size, size));
    }

    // The message is plain text: a file name in it is never read as markup.
    auto* text = new QLabel(dialog.get());
    text->setObjectName(QStringLiteral("message"));
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    QString shown = msg;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text->setText(shown);

    std::vector<QPushButton*> row;
    QPushButton* byResult[messageresult::yesToAll + 1] = {};
    for (const ButtonInfo& info : buttonTable) {
        if (!(buttons & info.bit)) {
            continue;
        }
        auto* button = new QPushButton(QString::fromLatin1(info.caption), dialog.get());
        button->setAutoDefault(true);
        if (info.result != 0) {
            byResult[info.result] = button;
            QObject::connect(button, &QPushButton::clicked, dialog.get(),
                             [d = dialog.get(), result = info.result] { d->done(result); });
        }
        row.push_back(button);
    }

    QPushButton* defaultButton = byResult[messageresult::ok]    ? byResult[messageresult::ok]
                                 : byResult[messageresult::yes] ? byResult[messageresult::yes]
                                                                : byResult[messageresult::retry];
    QPushButton* cancelButton = byResult[messageresult::cancel] ? byResult[messageresult::cancel]
                                : byResult[messageresult::no]   ? byResult[messageresult::no]
                                                                : byResult[messageresult::ok];
    if (defaultButton) {
        defaultButton->setDefault(true);
        defaultButton->setFocus();
    }
    dialog->setCancelButton(cancelButton);

    if (!caption.isEmpty()) {
        dialog->setWindowTitle(caption);
    } else if (kind != MessageKind::Custom) {
        dialog->setWindowTitle(kindTitle(kind));
    }

    // Relabelled before the layout, so that the Dutch captions fit their
    // buttons. Scaling for the screen's pixels per inch is Qt's own.
    relabelChildren(*dialog);
    layoutMessage(*dialog, icon, *text, row);

    centreOnScreen(*dialog);
    if (x > -1) {
        dialog->move(x, dialog->y());
    }
    if (y > -1) {
        dialog->move(dialog->x(), y);
    }
    return dialog;
}

int messagedialog(const QString& msg, const QString& caption, MessageKind kind,
                  MessageButtons buttons, std::int32_t helpContext) {
    const QString title = caption.isEmpty() ? kindTitle(kind) : caption;
    const std::unique_ptr<QDialog> dialog =
        makemessagedialog(msg, title, kind, buttons, helpContext, -1, -1);
    return execModal(*dialog);
}

bool inputdialog(const QString& caption, const QString& prompt, QString& value) {
    // Freed on every way out, also when an exception passes through.
    auto form = std::make_unique<ButtonDialog>();
    const DialogUnits du{averagecharsize(form->font())};
    form->setWindowTitle(caption);
    form->setFixedSize(du.x(180), du.y(63));

    auto* label = new QLabel(form.get());
    label->setTextFormat(Qt::PlainText);
    label->setText(prompt);
    label->move(du.x(8), du.y(8));
    label->adjustSize();

    auto* edit = new QLineEdit(form.get());
    edit->move(label->x(), du.y(19));
    edit->resize(du.x(164), edit->sizeHint().height());
    // Typing stops at 255 characters; a longer starting text is kept whole,
    // so that OK never cuts off what was there.
    edit->setMaxLength(static_cast<int>(std::max<qsizetype>(255, value.size())));
    edit->setText(value);
    edit->selectAll();
    edit->setFocus();

    auto* ok = new QPushButton(QStringLiteral("OK"), form.get());
    ok->setGeometry(du.x(38), du.y(41), du.x(50), du.y(14));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, form.get(),
                     [f = form.get()] { f->done(messageresult::ok); });

    auto* cancel = new QPushButton(QStringLiteral("Annuleren"), form.get());
    cancel->setGeometry(du.x(92), du.y(41), du.x(50), du.y(14));
    QObject::connect(cancel, &QPushButton::clicked, form.get(),
                     [f = form.get()] { f->done(messageresult::cancel); });
    form->setCancelButton(cancel);

    centreOnScreen(*form);
    if (execModal(*form) != messageresult::ok) {
        return false;
    }
    value = edit->text();
    return true;
}
