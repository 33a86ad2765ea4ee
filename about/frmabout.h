#pragma once

#include <QDialog>
#include <QPixmap>

class Dialogs;
class LineWidget;
class ProgramLauncher;
class QLabel;
class QPushButton;
class Registry;

// The about window: title, version, description, disclaimer, and a button that starts a
// system-information program. Opened modally on the stack of its caller: create, exec(), gone.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    frmAbout(Dialogs &dialogs, Registry &registry, ProgramLauncher &launcher, QWidget *parent = nullptr);

    // Only the window calls it; public so that tests can drive it directly. It reads the
    // registry through GetKeyValue (about/registrylookup.h), which has no Qt in it.
    void StartSysInfo();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void takeControls();

    Dialogs &dialogs;
    Registry &registry;
    ProgramLauncher &launcher;
    QPixmap splash;

    // The controls, named as in the window's table, front to back; set once, as the window is made.
    QLabel *picIcon = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdSysInfo = nullptr;
    LineWidget *Line1[2] = {};
    QLabel *lblDescription = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblDisclaimer = nullptr;
};
