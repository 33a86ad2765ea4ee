#include "widgets/linewidget.h"

#include <QPainter>

LineWidget::LineWidget(QPoint from, QPoint to, QColor colour, int width, QWidget *parent)
    : QWidget(parent), lineColour(colour)
{
    // The widget is the line's bounding box, widened to the line's own width. As on the platform the
    // windows were designed for, the end point itself is not drawn.
    const QPoint topLeft(qMin(from.x(), to.x()), qMin(from.y(), to.y()));
    const QSize extent(qMax(qAbs(to.x() - from.x()), width), qMax(qAbs(to.y() - from.y()), width));
    setGeometry(QRect(topLeft, extent));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LineWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), lineColour);
}
