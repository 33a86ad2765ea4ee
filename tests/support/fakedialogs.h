#pragma once

#include "platform/dialogs.h"

#include <QList>
#include <QStringList>

#include <functional>

// Records every box shown and answers input boxes from a script.
// While a box is "open", an optional action runs: it may advance a virtual clock.
class FakeDialogs final : public Dialogs {
public:
    struct Shown {
        enum class Kind { Message, Input } kind;
        QString text;
        Icon icon;
        QString title;
    };

    void message(const QString &text, Icon icon, const QString &title) override;
    QString input(const QString &prompt, const QString &title) override;

    QList<Shown> shown;
    QStringList inputAnswers;                 // taken in order; none left answers as Cancel
    std::function<void()> whileOpen;          // runs inside every box

    QStringList texts() const;
    void clear() { shown.clear(); }
};
