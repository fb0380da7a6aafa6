#include "aboutbox.h"

#include "platform/colour.h"
#include "platform/font.h"
#include "platform/picturefile.h"
#include "platform/ui/modal.h"
#include "resources/startmenu/startmenupictures.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QFont windowsFont(const char* face, std::int32_t points, bool bold) {
    Font font;
    font.name = QString::fromLatin1(face);
    font.setSize(points);
    font.style = bold ? Font::Bold : 0;
    return toQFont(font);
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Info"));
    setFixedSize(468, 503);
    setFont(windowsFont("System", 10, false));

    OKButton = new QPushButton(this);
    OKButton->setFont(windowsFont("Arial", 10, true));
    OKButton->setGeometry(167, 439, 91, 32);
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });

    Panel1 = new QFrame(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setGeometry(56, 32, 393, 393);
    // White, so that the logo picture stands on its own ground.
    QPalette white = Panel1->palette();
    white.setColor(QPalette::Window, toQColor(colours::white));
    Panel1->setPalette(white);
    Panel1->setAutoFillBackground(true);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setGeometry(304, 16, 65, 57);
    ProgramIcon->setScaledContents(true);

    ProductName = new QLabel(Panel1);
    ProductName->setFont(windowsFont("Arial", 12, true));
    QPalette black = ProductName->palette();
    black.setColor(QPalette::WindowText, toQColor(colours::black));
    ProductName->setPalette(black);
    ProductName->move(112, 8);

    version = new QLabel(Panel1);
    version->setFont(windowsFont("Arial", 10, true));
    // Anchored left, top and right: as wide as the panel leaves it.
    version->setGeometry(112, 32, 393 - 112 - 8, 20);

    // The rest of the panel: the program's logo and what it is for.
    auto* logo = new QLabel(Panel1);
    logo->setObjectName(QStringLiteral("Logo"));
    logo->setGeometry(40, 110, 313, 92);
    logo->setScaledContents(true);
    logo->setPixmap(QPixmap::fromImage(decodeJpeg(startmenuresource(QStringLiteral("2")))));
    auto* about = new QLabel(Panel1);
    about->setObjectName(QStringLiteral("Omschrijving"));
    about->setGeometry(24, 214, 345, 60);
    about->setWordWrap(true);
    about->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    about->setText(QStringLiteral("Maak mindmaps met een centraal onderwerp, takken en "
                                  "notities, voor lessen en opdrachten op school."));

    GroupBox1 = new QGroupBox(QStringLiteral("Systeem voorkeuren"), Panel1);
    GroupBox1->setFont(windowsFont("Arial", 10, true));
    GroupBox1->setGeometry(8, 290, 337, 81);
    Label7 = new QLabel(GroupBox1);
    Label7->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* fill = new QVBoxLayout(GroupBox1);
    fill->setContentsMargins(2, 0, 2, 2);
    fill->addWidget(Label7);

    FormCreate();
    OKButton->setFocus();
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::FormCreate() {
    OKButton->setText(QStringLiteral("Sluit"));
    ProductName->setText(QStringLiteral("Norvel") + QStringLiteral("+"));
    ProductName->adjustSize();
    version->setText(QStringLiteral("beta versie 6"));
    Label7->setText(QStringLiteral("\n") + QStringLiteral("  -  Minimale resolutie 1024 * 768 "));
    ProgramIcon->setPixmap(QApplication::windowIcon().pixmap(65, 57));
}

void TAboutBox::OKButtonClick() {
    close();
}

// Only the close box and the button end the run; Escape is swallowed.
void TAboutBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TAboutBox::showEvent(QShowEvent* event) {
    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    QDialog::showEvent(event);
}

void openaboutbox(QWidget* parent, const QString& productname) {
    TAboutBox box(parent);
    if (!productname.isEmpty()) {
        box.ProductName->setText(productname);
        box.ProductName->adjustSize();
    }
    execModal(box);
}
