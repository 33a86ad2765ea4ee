#pragma once

#include "platform/dialogs.h"

// Production boxes: QMessageBox and QInputDialog, modal to the active window, buttons in the player's
// language.
class QtDialogs final : public Dialogs {
public:
    void message(const QString &text, Icon icon, const QString &title) override;
    QString input(const QString &prompt, const QString &title) override;
};
