#pragma once

class PlayerTexts;

// Qt ends a program that finds no display for its windows (no DISPLAY or WAYLAND_DISPLAY, an
// unknown QT_QPA_PLATFORM) with abort(): a core dump and a page of plugin names for a player who
// only started the game where no desktop runs. While this lives, as the application is made, that
// failure ends the program instead with exit status 1 and one line on the error output, in the
// player's language. Qt's other messages meanwhile are held back and passed on in their order when
// this ends, so that a failed start says just that line. One at a time.
class ExitWithoutDisplay {
public:
    explicit ExitWithoutDisplay(const PlayerTexts &texts);
    ~ExitWithoutDisplay();
    ExitWithoutDisplay(const ExitWithoutDisplay &) = delete;
    ExitWithoutDisplay &operator=(const ExitWithoutDisplay &) = delete;
};
