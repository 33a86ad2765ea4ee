#pragma once

#include <QColor>
#include <QHash>
#include <QString>

#include <optional>
#include <span>

class QWidget;

// One control of a window, as it was designed: positions and sizes in twips.
struct ControlSpec {
    enum class Kind { Label, Picture, PictureBox, Button, Frame, Line, FileList, ProgressBar };

    QString name;               // "imgGegner(3)" for a member of a control array
    Kind kind = Kind::Label;
    QString container = {};     // empty: the window's client area
    int left = 0;               // a line: its first end point ...
    int top = 0;
    int width = 0;              // ... and for a line, the second end point as (width, height)
    int height = 0;
    QString text = {};
    QString fontFamily = {};    // empty: the container's font
    double fontPoints = 0;
    std::optional<QColor> foreground = {};
    std::optional<QColor> background = {};  // set: an opaque background of this colour
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    bool wordWrap = false;
    bool visible = true;
    QString picture = {};       // resource path of a picture
    bool stretch = false;       // picture stretched to the control, or at its natural size
    int lineWidth = 1;          // pixels
};

// Builds a window's controls from its table, listed front to back, and finds them by name.
class Form {
public:
    void build(QWidget *window, std::span<const ControlSpec> controls);

    QWidget *control(const QString &name) const;
    template <typename T> T *control(const QString &name) const { return static_cast<T *>(control(name)); }

    static QString indexed(const QString &name, int index)
    {
        return QStringLiteral("%1(%2)").arg(name).arg(index);
    }

private:
    QWidget *create(const ControlSpec &design, QWidget *parent) const;
    QHash<QString, QWidget *> controls;
};
