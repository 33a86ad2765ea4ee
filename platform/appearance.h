#pragma once

class QApplication;
class QTranslator;

// Qt's own German texts for standard buttons and dialogs ("Abbrechen").
void installGermanTexts(QApplication &application, QTranslator &translator);

// The game was drawn for the classic Windows look: black text on white, whatever the desktop theme,
// and the fonts it was designed with or their free stand-ins.
void applyClassicLook(QApplication &application);
