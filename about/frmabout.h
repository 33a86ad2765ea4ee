#pragma once

#include "platform/formbuilder.h"

#include <QDialog>
#include <QPixmap>

#include <cstdint>
#include <stdexcept>

class Dialogs;
class ProgramLauncher;
class Registry;

// The about window: title, version, description, disclaimer, and a button that starts a
// system-information program. Opened modally on the stack of its caller: create, exec(), gone.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    // A run-time error inside the two routines; StartSysInfo turns it into its message.
    struct RunTimeError : std::runtime_error {
        using std::runtime_error::runtime_error;
    };

    frmAbout(Dialogs &dialogs, Registry &registry, ProgramLauncher &launcher, QWidget *parent = nullptr);

    // Only the window calls these two; they are public so that tests can drive them directly.
    void StartSysInfo();
    bool GetKeyValue(std::uint32_t KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal);

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
