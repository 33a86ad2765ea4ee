#include "widgets/appearance.h"

#include "widgets/twips.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>
#include <QWidget>

QFont designedFont(const QString &family, double points)
{
    QFont font(family);
    font.setPixelSize(fontPixels(points));
    return font;
}

void applyWindowLook(QWidget &window, const QString &fontFamily, double fontPoints, const QColor &background)
{
    window.setFont(designedFont(fontFamily, fontPoints));
    QPalette colours = window.palette();
    colours.setColor(QPalette::Window, background);
    window.setPalette(colours);
    window.setAutoFillBackground(true);
}

QPalette systemColours()
{
    QPalette colours = QApplication::palette();
    // Every role counts as set, so that nothing of a container's colours shows through.
    colours.setResolveMask(~QPalette::ResolveMask());
    return colours;
}

void applyClassicLook(QApplication &application)
{
    // Fusion shades a button's colour into a gradient; this style paints the face flat in exactly
    // its colour inside the raised 3-D border, and frames as etched lines.
    application.setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    const QColor face(192, 192, 192);
    const QColor shadow(128, 128, 128);
    QPalette colours = QApplication::palette();
    // Qt paints dialogs in the window colour, where the classic boxes have the button face.
    colours.setColor(QPalette::Window, face);
    colours.setColor(QPalette::WindowText, Qt::black);
    colours.setColor(QPalette::Button, face);
    colours.setColor(QPalette::ButtonText, Qt::black);
    colours.setColor(QPalette::Light, Qt::white);
    colours.setColor(QPalette::Midlight, face);
    colours.setColor(QPalette::Mid, shadow);
    colours.setColor(QPalette::Dark, shadow);
    colours.setColor(QPalette::Shadow, Qt::black);
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    colours.setColor(QPalette::Highlight, QColor(0, 0, 128));
    colours.setColor(QPalette::HighlightedText, Qt::white);
    application.setPalette(colours);
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"));
}
