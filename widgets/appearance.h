#pragma once

class QApplication;
class QColor;
class QFont;
class QPalette;
class QString;
class QWidget;

// The game was drawn for the classic Windows look: its style and system colours (grey button faces,
// black text, white lists and text boxes), whatever the desktop theme, and the fonts it was designed
// with or their free stand-ins.
void applyClassicLook(QApplication &application);

// A font as the windows were designed with it, in points at 96 dots per inch.
QFont designedFont(const QString &family, double points);

// A window's own font, which every control without one of its own takes, and its background
// colour, filled behind the controls.
void applyWindowLook(QWidget &window, const QString &fontFamily, double fontPoints, const QColor &background);

// The application's colours as a palette of its own: a widget given it keeps the system colours
// inside a coloured container.
QPalette systemColours();
