#include "startup/commandlineanswer.h"

#include "startup/windowsbox.h"

#include <QtGlobal>

// A box wraps its lines by itself and sets them in a font whose letters differ in width, so the
// options stand one to a line, without columns.
extern const char usageText[] = QT_TRANSLATE_NOOP(
    "CommandLine",
    "Aufruf: brummo.exe [OPTION …]\n"
    "„Brummo on the run“ ist ein kleines Reaktionsspiel: Klick die Bilder an, die vor Brummos Haus "
    "auftauchen. Spielstände liegen im Ordner, in dem das Spiel läuft.\n"
    "\n"
    "--help: zeigt diese Hilfe und endet\n"
    "--version: zeigt die Version und endet\n"
    "--from-menu: so startet der Eintrag im Startmenü; Spielstände liegen dann im Ordner "
    "„Brummo on the run“ unter „Gespeicherte Spiele“\n"
    "-platform NAME: die Qt-Plattform, windows oder offscreen\n"
    "\n"
    "Qts übrige Optionen gelten auch; alle anderen Angaben übergeht das Spiel.");

int showAnswer(const QString &text, const PlayerTexts &)
{
    showWindowsBox(text.trimmed(), WindowsBoxKind::Information);
    return 0;
}
