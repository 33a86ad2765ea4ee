#pragma once

#include <QCoreApplication>
#include <QString>

// Modal message and input boxes. While one is open, timers keep firing. Every text is shown as
// plain text, shortened to fit on the screen where needed.
class Dialogs {
public:
    enum class Icon { None, Critical };

    // The application's title, shown by every box that is given no title of its own.
    static inline const QString applicationTitle = QStringLiteral("Krop");

    virtual ~Dialogs() = default;

    // A box with one OK button; an empty title means the application's title.
    virtual void message(const QString &text, Icon icon = Icon::None, const QString &title = {}) = 0;

    // A box with a text field, OK and Cancel; Cancel gives an empty text.
    virtual QString input(const QString &prompt, const QString &title) = 0;

    void error(const QString &text) { message(text, Icon::Critical, QCoreApplication::translate("Dialogs", "Fehler")); }
};
