#include "tests/support/fakedialogs.h"

void FakeDialogs::message(const QString &text, Icon icon, const QString &title)
{
    shown.append({Shown::Kind::Message, text, icon, title.isEmpty() ? applicationTitle : title});
    if (whileOpen)
        whileOpen();
}

QString FakeDialogs::input(const QString &prompt, const QString &title)
{
    shown.append({Shown::Kind::Input, prompt, Icon::None, title.isEmpty() ? applicationTitle : title});
    if (whileOpen)
        whileOpen();
    return inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst();
}

QStringList FakeDialogs::texts() const
{
    QStringList result;
    for (const Shown &box : shown)
        result.append(box.text);
    return result;
}
