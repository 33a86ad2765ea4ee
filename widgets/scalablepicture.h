#pragma once

#include <QCursor>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QSize>
#include <QString>

// Pictures at the screen's own device pixels. At a device pixel ratio of 1 a picture is its bitmap
// (":/bilder/splash.gif") as it always was. Where the desktop scales (1.25, 1.5, 2, 3 ...), it is a
// drawing made from the same vector source for that scale at the logical size the game shows it,
// so nothing is blown up from the small bitmap.

// `shownSize`: the logical size the picture is stretched to; empty: the bitmap's own size.
QPixmap devicePicture(const QString &bitmap, qreal ratio, QSize shownSize = {});

// The bitmap, and at a scaled desktop its drawing for that scale beside it.
QIcon scalableIcon(const QString &bitmap);

// A cursor of the picture, its hot spot in the middle.
QCursor centredCursor(const QString &bitmap, qreal ratio);

// A label showing a picture. It is drawn for the ratio of the screen it is on, again when it moves
// to a screen of another ratio, and otherwise kept: painting never draws it anew.
class PictureLabel final : public QLabel {
public:
    PictureLabel(QString bitmap, QSize shownSize, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void drawFor(qreal ratio);

    QString bitmap;
    QSize shownSize;
    qreal drawnRatio = 0;
};
