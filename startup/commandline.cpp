#include "startup/commandline.h"

#include "startup/playerlanguage.h"
#include "startup/terminaltext.h"

#include <QtGlobal>

#include <cstdio>
#include <cstring>

namespace {

// Names the options of the launcher in /usr/games, which it takes away, and the Qt options a
// player may want; Qt understands more, and the game ignores anything else.
constexpr char usage[] = QT_TRANSLATE_NOOP(
    "CommandLine",
    "Aufruf: brummo [OPTION …]\n"
    "„Brummo on the run“ ist ein kleines Reaktionsspiel: Klick die Bilder an, die vor Brummos Haus\n"
    "auftauchen. Spielstände liegen im Ordner, in dem das Spiel läuft.\n"
    "\n"
    "  --help            zeigt diese Hilfe und endet\n"
    "  --version         zeigt die Version und endet\n"
    "  --from-menu       so startet der Menüeintrag: Spielstände liegen dann in\n"
    "                    $XDG_DATA_HOME/brummo, ohne diese Variable in ~/.local/share/brummo\n"
    "  -platform NAME    die Qt-Plattform: xcb (X11), wayland oder offscreen\n"
    "  -display ANZEIGE  die X11-Anzeige, etwa :0\n"
    "\n"
    "Qts übrige Optionen gelten auch; alle anderen Angaben übergeht das Spiel.\n"
    "Mehr dazu in „man brummo“.\n");

constexpr char version[] = "Brummo on the run " BRUMMO_VERSION "\n";

int print(const QString &text, const PlayerTexts &texts)
{
    if (std::fputs(forTerminal(text).constData(), stdout) >= 0 && std::fflush(stdout) == 0)
        return 0;
    std::fputs(forTerminal(texts.translate("CommandLine", "Brummo: Die Ausgabe ließ sich nicht schreiben.\n")).constData(),
               stderr);
    return 1;
}

} // namespace

std::optional<int> answerInsteadOfGame(int argc, const char *const argv[], const PlayerTexts &texts)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0)
            return print(texts.translate("CommandLine", usage), texts);
        if (std::strcmp(argv[i], "--version") == 0)
            return print(QString::fromUtf8(version), texts);
    }
    return std::nullopt;
}
