#include "widgets/formbuilder.h"

#include "widgets/accessiblecontrols.h"
#include "widgets/appearance.h"
#include "widgets/linewidget.h"
#include "widgets/scalablepicture.h"
#include "widgets/twips.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

#include <ranges>

namespace {

void applyColours(QWidget *widget, const ControlSpec &design)
{
    QPalette palette = widget->palette();
    if (design.foreground) {
        palette.setColor(QPalette::WindowText, *design.foreground);
        palette.setColor(QPalette::ButtonText, *design.foreground);
    }
    if (design.background) {
        palette.setColor(QPalette::Window, *design.background);
        palette.setColor(QPalette::Button, *design.background);
        widget->setAutoFillBackground(design.kind != ControlSpec::Kind::Button);
    }
    widget->setPalette(palette);
}

void applyFont(QWidget *widget, const ControlSpec &design)
{
    if (!design.fontFamily.isEmpty())
        widget->setFont(designedFont(design.fontFamily, design.fontPoints));
}

QLabel *pictureLabel(const ControlSpec &design, QWidget *parent)
{
    const QSize shown = design.stretch ? QSize(pixels(design.width), pixels(design.height)) : QSize();
    auto *label = new PictureLabel(design.picture, shown, parent);
    label->setScaledContents(design.stretch);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget *lineBetween(const ControlSpec &design, QWidget *parent)
{
    const QPoint from(pixels(design.left), pixels(design.top));
    const QPoint to(pixels(design.width), pixels(design.height));
    auto *line = new LineWidget(from, to, design.foreground.value_or(Qt::black), design.lineWidth, parent);
    return line;
}

void applyAccessibleName(QWidget *widget, const ControlSpec &design)
{
    if (design.kind == ControlSpec::Kind::Label && design.accessibleName.contains(QLatin1String("%1")))
        speakWithText(*static_cast<QLabel *>(widget), design.accessibleName);
    else if (!design.accessibleName.isEmpty())
        widget->setAccessibleName(design.accessibleName);
}

QWidget *create(const ControlSpec &design, QWidget *parent)
{
    using Kind = ControlSpec::Kind;
    QWidget *widget = nullptr;
    switch (design.kind) {
    case Kind::Label: {
        auto *label = new QLabel(design.text, parent);
        label->setAlignment(design.alignment);
        label->setWordWrap(design.wordWrap);
        label->setTextFormat(Qt::PlainText);
        widget = label;
        break;
    }
    case Kind::Picture:
        widget = pictureLabel(design, parent);
        break;
    case Kind::Button:
        widget = new QPushButton(design.text, parent);
        static_cast<QPushButton *>(widget)->setAutoDefault(false);
        break;
    case Kind::Frame:
        widget = new QGroupBox(design.text, parent);
        break;
    case Kind::Line:
        widget = lineBetween(design, parent);
        break;
    case Kind::FileList:
        widget = new QListWidget(parent);
        // The list, its scroll bar and its border keep the system colours, not their frame's.
        widget->setPalette(systemColours());
        break;
    case Kind::ProgressBar: {
        auto *bar = new QProgressBar(parent);
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setTextVisible(false);
        widget = bar;
        break;
    }
    }
    widget->setObjectName(design.name);
    if (design.kind != Kind::Line)
        widget->setGeometry(pixels(design.left), pixels(design.top), pixels(design.width), pixels(design.height));
    applyFont(widget, design);
    applyColours(widget, design);
    applyAccessibleName(widget, design);
    widget->setVisible(design.visible);
    return widget;
}

const char *nameOf(const QWidget &window)
{
    return window.metaObject()->className();
}

// The table's texts are German source texts, filed for translation under the window's class name.
ControlSpec translated(ControlSpec design, const char *context)
{
    for (QString *text : {&design.text, &design.accessibleName}) {
        if (!text->isEmpty())
            *text = QCoreApplication::translate(context, text->toUtf8().constData());
    }
    return design;
}

} // namespace

Form::Form(QWidget &window, std::span<const ControlSpec> table) : window(window)
{
    describeControlsToScreenReaders();
    // The table runs front to back; a later sibling is drawn over an earlier one, so build from the back.
    for (const ControlSpec &untranslated : std::views::reverse(table)) {
        const ControlSpec design = translated(untranslated, nameOf(window));
        QWidget *parent = design.container.isEmpty() ? &window : untaken.value(design.container);
        if (!parent)
            qFatal("%s: no container %s behind %s in the table", nameOf(window), qUtf8Printable(design.container),
                   qUtf8Printable(design.name));
        if (untaken.contains(design.name))
            qFatal("%s: two controls named %s in the table", nameOf(window), qUtf8Printable(design.name));
        untaken.insert(design.name, create(design, parent));
    }
}

Form::~Form()
{
    if (!untaken.isEmpty())
        qFatal("%s: no member for %s", nameOf(window), qUtf8Printable(untaken.keys().join(QLatin1String(", "))));
}

QWidget *Form::take(const QString &name, const QMetaObject &kind)
{
    QWidget *widget = untaken.take(name);
    if (!widget)
        qFatal("%s: no control %s in the table, or taken twice", nameOf(window), qUtf8Printable(name));
    if (!kind.cast(widget))
        qFatal("%s: %s is a %s, not a %s", nameOf(window), qUtf8Printable(name), widget->metaObject()->className(),
               kind.className());
    return widget;
}
