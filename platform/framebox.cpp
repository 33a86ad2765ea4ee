#include "platform/framebox.h"

#include <QPainter>

void FrameBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int borderTop = metrics.height() / 2;
    const QRect border(0, borderTop, width() - 2, height() - borderTop - 2);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(border);
    painter.setPen(Qt::white);
    painter.drawRect(border.translated(1, 1));

    const QRect caption(6, 0, metrics.horizontalAdvance(title()) + 4, metrics.height());
    painter.fillRect(caption, palette().window());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title());
}
