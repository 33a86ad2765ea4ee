#include "widgets/accessiblecontrols.h"

#include "widgets/linewidget.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace {

constexpr char sentenceProperty[] = "spokenSentence";

class SpokenReadOut final : public QAccessibleWidget {
public:
    explicit SpokenReadOut(QLabel *label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Name)
            return QAccessibleWidget::text(kind);
        const auto *label = static_cast<const QLabel *>(widget());
        // Trimmed, so an empty read-out is its caption alone.
        return label->property(sentenceProperty).toString().arg(label->text()).trimmed();
    }
};

// Asked for each class of an object from the most derived one up; nothing from here lets Qt's own
// description answer.
QAccessibleInterface *describe(const QString &className, QObject *object)
{
    if (className == QLatin1String("QLabel") && object->property(sentenceProperty).isValid())
        return new SpokenReadOut(static_cast<QLabel *>(object));
    if (className == QLatin1String("LineWidget"))
        return new QAccessibleWidget(static_cast<LineWidget *>(object), QAccessible::Separator);
    return nullptr;
}

} // namespace

void describeControlsToScreenReaders()
{
    static const bool installed = (QAccessible::installFactory(describe), true);
    Q_UNUSED(installed);
}

void speakWithText(QLabel &label, const QString &sentence)
{
    label.setProperty(sentenceProperty, sentence);
}
