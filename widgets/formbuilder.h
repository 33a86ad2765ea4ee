#pragma once

#include <QColor>
#include <QHash>
#include <QString>
#include <QWidget>

#include <cstddef>
#include <optional>
#include <span>

// One control of a window, as it was designed: positions and sizes in twips.
struct ControlSpec {
    enum class Kind { Label, Picture, Button, Frame, Line, FileList, ProgressBar };

    QString name;               // "imgGegner(3)" for a member of a control array
    Kind kind = Kind::Label;
    QString container = {};     // empty: the window's client area
    int left = 0;               // a line: its first end point ...
    int top = 0;
    int width = 0;              // ... and for a line, the second end point as (width, height)
    int height = 0;
    QString text = {};          // in German; shown translated, filed under the window's class name
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
    QString accessibleName = {};  // what a screen reader says, translated like the text; in a label, "%1"
                                  // stands for its current text
};

// Builds a window's controls from its table, listed front to back, then hands each one out once, by
// name and kind, to the member that keeps it. A name missing from the table, a control of another
// kind, or a control left without a member stops the program as the window is made, in every build:
// a window that cannot reach one of its controls would otherwise fail only in the middle of a game.
class Form {
public:
    Form(QWidget &window, std::span<const ControlSpec> controls);
    ~Form();  // by then every control must have been taken
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    template <typename T> void take(T *&member, const QString &name)
    {
        member = static_cast<T *>(take(name, T::staticMetaObject));
    }
    // A control array: "imgGegner(0)" … "imgGegner(16)" into imgGegner[0] … [16]. An array shorter
    // than the table's leaves controls untaken, a longer one asks for a control that is not there.
    template <typename T, std::size_t N> void take(T *(&members)[N], const QString &name)
    {
        for (std::size_t index = 0; index < N; ++index)
            take(members[index], indexed(name, static_cast<int>(index)));
    }

    static QString indexed(const QString &name, int index)
    {
        return QStringLiteral("%1(%2)").arg(name).arg(index);
    }

private:
    QWidget *take(const QString &name, const QMetaObject &kind);

    QWidget &window;
    QHash<QString, QWidget *> untaken;
};
