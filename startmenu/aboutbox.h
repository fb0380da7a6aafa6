#pragma once

#include <QDialog>
#include <QString>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

// The information window: product, version and the screen resolution the
// program needs. Each opening makes a new one and runs it modally; Escape
// does not close it, the close box and "Sluit" do.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

    // The controls, owned by the window.
    QPushButton* OKButton = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* version = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLabel* Label7 = nullptr;

    void OKButtonClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
};

// Opens the information window modally and frees it afterwards. The start
// menu leaves the product label as created; the editor passes "Kivora".
void openaboutbox(QWidget* parent, const QString& productname = {});
