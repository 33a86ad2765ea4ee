#include "widgets/scalablepicture.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>

#include <algorithm>
#include <array>

namespace {

// The scales tools/make_art.sh draws each picture at.
constexpr std::array drawnScales{1.25, 1.5, 2.0, 3.0};

QString drawingPath(const QString &bitmap, QSize shownSize, double scale)
{
    return QStringLiteral(":/bilder/scaled/%1_%2x%3@%4x.png")
        .arg(QFileInfo(bitmap).completeBaseName())
        .arg(shownSize.width())
        .arg(shownSize.height())
        .arg(scale);
}

} // namespace

QPixmap devicePicture(const QString &bitmap, qreal ratio, QSize shownSize)
{
    if (ratio <= 1)
        return QPixmap(bitmap);
    if (shownSize.isEmpty())
        shownSize = QImageReader(bitmap).size();
    // The drawing with at least as many pixels as the screen wants: a ratio between two scales is
    // scaled down from the larger one, which keeps it sharp; above the largest, it is scaled up.
    const auto larger = std::ranges::find_if(drawnScales, [&](double scale) { return scale >= ratio; });
    const double scale = larger == drawnScales.end() ? drawnScales.back() : *larger;
    QPixmap drawing(drawingPath(bitmap, shownSize, scale));
    // A picture shown at a size nobody drew it for is better blown up than missing.
    if (drawing.isNull())
        return QPixmap(bitmap);
    const QSize devicePixels = (QSizeF(shownSize) * ratio).toSize();
    if (drawing.size() != devicePixels)
        drawing = drawing.scaled(devicePixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    drawing.setDevicePixelRatio(ratio);
    return drawing;
}

QIcon scalableIcon(const QString &bitmap)
{
    QIcon icon(bitmap);
    if (const qreal ratio = qGuiApp->devicePixelRatio(); ratio > 1)
        icon.addPixmap(devicePicture(bitmap, ratio));
    return icon;
}

QCursor centredCursor(const QString &bitmap, qreal ratio)
{
    const QPixmap picture = devicePicture(bitmap, ratio);
    // Qt takes the hot spot in logical pixels, but its X11 platform hands it to the server as it
    // is, beside the picture's device pixels: there it must be given in those.
    const QSize middle = QGuiApplication::platformName() == u"xcb" ? picture.size() / 2
                                                                   : picture.deviceIndependentSize().toSize() / 2;
    return QCursor(picture, middle.width(), middle.height());
}

PictureLabel::PictureLabel(QString bitmap, QSize shownSize, QWidget *parent)
    : QLabel(parent), bitmap(std::move(bitmap)), shownSize(shownSize)
{
    drawFor(devicePixelRatioF());
}

void PictureLabel::paintEvent(QPaintEvent *event)
{
    if (devicePixelRatioF() != drawnRatio)
        drawFor(devicePixelRatioF());
    QLabel::paintEvent(event);
}

void PictureLabel::drawFor(qreal ratio)
{
    drawnRatio = ratio;
    setPixmap(devicePicture(bitmap, ratio, shownSize));
}
