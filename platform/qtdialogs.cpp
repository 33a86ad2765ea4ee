#include "platform/qtdialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QString orApplicationTitle(const QString &title)
{
    return title.isEmpty() ? Dialogs::applicationTitle : title;
}

} // namespace

void QtDialogs::message(const QString &text, Icon icon, const QString &title)
{
    QMessageBox box(icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                    orApplicationTitle(title), text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

QString QtDialogs::input(const QString &prompt, const QString &title, const QString &defaultText)
{
    QInputDialog box(QApplication::activeWindow());
    box.setWindowTitle(orApplicationTitle(title));
    box.setLabelText(prompt);
    box.setTextValue(defaultText);
    box.setOkButtonText(QStringLiteral("OK"));
    box.setCancelButtonText(QStringLiteral("Abbrechen"));
    if (box.exec() != QDialog::Accepted)
        return {};
    return box.textValue();
}
