#pragma once

#include <QString>

class PlayerTexts;

// How each system answers --help and --version (commandline_linux.cpp, commandline_windows.cpp).

// The usage text in German, marked for translation in the context "CommandLine".
extern const char usageText[];

// Shows the answer where a player of this system reads it; gives the exit status.
int showAnswer(const QString &text, const PlayerTexts &texts);
