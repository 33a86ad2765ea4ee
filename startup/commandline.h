#pragma once

#include <optional>

class PlayerTexts;

// A player on a terminal asks `brummo --help` or `brummo --version` and expects an answer, not
// the game. For those two (whichever comes first) this prints the usage text, in the player's
// language and the terminal's character set, or the version on the standard output and gives the
// exit status; for every other command line it does nothing and gives none, and the game starts:
// Qt takes its own options (-platform, -display), the game ignores the rest.
std::optional<int> answerInsteadOfGame(int argc, const char *const argv[], const PlayerTexts &texts);
