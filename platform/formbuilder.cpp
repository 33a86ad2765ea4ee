#include "platform/formbuilder.h"

#include "platform/framebox.h"
#include "platform/linewidget.h"
#include "platform/twips.h"

#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

#include <ranges>

namespace {

void applyColours(QWidget *widget, const ControlSpec &spec)
{
    QPalette palette = widget->palette();
    if (spec.foreground) {
        palette.setColor(QPalette::WindowText, *spec.foreground);
        palette.setColor(QPalette::ButtonText, *spec.foreground);
    }
    if (spec.background) {
        palette.setColor(QPalette::Window, *spec.background);
        palette.setColor(QPalette::Button, *spec.background);
        widget->setAutoFillBackground(spec.kind != ControlSpec::Kind::Button);
    }
    widget->setPalette(palette);
}

void applyFont(QWidget *widget, const ControlSpec &spec)
{
    if (spec.fontFamily.isEmpty())
        return;
    QFont font(spec.fontFamily);
    font.setPixelSize(fontPixels(spec.fontPoints));
    widget->setFont(font);
}

QLabel *pictureLabel(const ControlSpec &spec, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setPixmap(QPixmap(spec.picture));
    label->setScaledContents(spec.stretch);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget *lineBetween(const ControlSpec &spec, QWidget *parent)
{
    const QPoint from(pixels(spec.left), pixels(spec.top));
    const QPoint to(pixels(spec.width), pixels(spec.height));
    auto *line = new LineWidget(from, to, spec.foreground.value_or(Qt::black), spec.lineWidth, parent);
    return line;
}

} // namespace

QWidget *Form::create(const ControlSpec &spec, QWidget *parent) const
{
    using Kind = ControlSpec::Kind;
    QWidget *widget = nullptr;
    switch (spec.kind) {
    case Kind::Label: {
        auto *label = new QLabel(spec.text, parent);
        label->setAlignment(spec.alignment);
        label->setWordWrap(spec.wordWrap);
        label->setTextFormat(Qt::PlainText);
        widget = label;
        break;
    }
    case Kind::Picture:
    case Kind::PictureBox:
        widget = pictureLabel(spec, parent);
        break;
    case Kind::Button:
        widget = new QPushButton(spec.text, parent);
        static_cast<QPushButton *>(widget)->setAutoDefault(false);
        break;
    case Kind::Frame:
        widget = new FrameBox(spec.text, parent);
        break;
    case Kind::Line:
        widget = lineBetween(spec, parent);
        break;
    case Kind::FileList:
        widget = new QListWidget(parent);
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
    widget->setObjectName(spec.name);
    if (spec.kind != Kind::Line)
        widget->setGeometry(pixels(spec.left), pixels(spec.top), pixels(spec.width), pixels(spec.height));
    applyFont(widget, spec);
    applyColours(widget, spec);
    widget->setVisible(spec.visible);
    return widget;
}

void Form::build(QWidget *window, std::span<const ControlSpec> table)
{
    // The table runs front to back; a later sibling is drawn over an earlier one, so build from the back.
    for (const ControlSpec &spec : std::views::reverse(table)) {
        QWidget *parent = spec.container.isEmpty() ? window : controls.value(spec.container);
        Q_ASSERT_X(parent, "Form::build", "a container must stand behind its controls in the table");
        controls.insert(spec.name, create(spec, parent));
    }
}

QWidget *Form::control(const QString &name) const
{
    QWidget *widget = controls.value(name);
    Q_ASSERT_X(widget, "Form::control", qPrintable(name));
    return widget;
}
