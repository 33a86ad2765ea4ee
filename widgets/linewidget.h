#pragma once

#include <QColor>
#include <QWidget>

// A straight line between two points of its parent, drawn in one colour and width.
class LineWidget final : public QWidget {
    Q_OBJECT

public:
    LineWidget(QPoint from, QPoint to, QColor colour, int width, QWidget *parent);

    QColor colour() const { return lineColour; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor lineColour;
};
