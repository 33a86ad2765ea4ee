#pragma once

#include <optional>

class PlayerTexts;

// A player asks `brummo --help` or `brummo --version` and expects an answer, not the game. For
// those two (whichever comes first) this gives the usage text, in the player's language, or the
// version, and the exit status: on Linux on the standard output in the terminal's character set;
// on Windows, where a program with windows has no console of its own, in a box of Windows' own.
// For every other command line it does nothing and gives none, and the game starts: Qt takes its
// own options (-platform, -display), the game ignores the rest.
std::optional<int> answerInsteadOfGame(int argc, const char *const argv[], const PlayerTexts &texts);
