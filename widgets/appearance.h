#pragma once

class QApplication;
class QPalette;

// The game was drawn for the classic Windows look: its style and system colours (grey button faces,
// black text, white lists and text boxes), whatever the desktop theme, and the fonts it was designed
// with or their free stand-ins.
void applyClassicLook(QApplication &application);

// The application's colours as a palette of its own: a widget given it keeps the system colours
// inside a coloured container.
QPalette systemColours();
