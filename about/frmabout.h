#pragma once

#include "platform/formbuilder.h"

#include <QDialog>
#include <QPixmap>

class Dialogs;
class ProgramLauncher;
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

    QWidget *control(const QString &name) const { return form.control(name); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void cmdOK_Click();
    void cmdSysInfo_Click();

    Dialogs &dialogs;
    Registry &registry;
    ProgramLauncher &launcher;
    Form form;
    QPixmap splash;
};
