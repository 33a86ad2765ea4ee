#pragma once

class QString;

// A box of Windows' own, titled "Brummo on the run", for what the game has to say before its
// windows are there: a program with windows has no console to write it on, and a line on the
// error output would reach no one who started it from the Start menu or Explorer. Returns when
// the player has closed it.
enum class WindowsBoxKind { Information, Warning };
void showWindowsBox(const QString &text, WindowsBoxKind kind);
