#pragma once

#include <memory>

class PlayerTexts;
class QApplication;

// What starting the game asks of the system it runs on (systemstart_linux.cpp,
// systemstart_windows.cpp).

// Before the application: the game runs where its saved games belong, and a player whose start
// could not run it there is told where it saves instead (startup/savesfoldernote.h). On Linux the
// launcher in /usr/games has moved already and says so in its arguments; the line goes to the
// error output. On Windows the Start menu's entry starts the program itself with --from-menu: it
// makes the folder "Brummo on the run" in the player's Saved Games folder the first time and runs
// there, else in the profile folder, else in the one for temporary files, and a box says so.
void settleWorkingFolder(int argc, const char *const argv[], const PlayerTexts &texts);

// The application, made as this system needs it: on Linux with a clear end where no display can be
// reached, and matched to its menu entry; on Windows with its platform plugins linked in and the
// fonts Windows may lack.
std::unique_ptr<QApplication> startApplication(int &argc, char **argv, const PlayerTexts &texts);
