#pragma once

#include <QStringView>

// How Windows reads a path, as rules of names alone: the same on every system, so that they are
// tested everywhere, and used where the game runs on Windows.

// Windows keeps a few names for its devices in every folder: a file named "CON", "nul.txt" or
// "Com1.spiel.txt" opens the console, the null device or the first serial port, and opening a
// port can already set its lines. These are no saved games and no sounds, and no save may go there.
//
// True when the last name of `path` (after its last "\" or "/") is one of them, in any case, with
// any extension, and with the blanks and dots Windows drops from the end of a name: CON, PRN, AUX,
// NUL, COM1 to COM9, LPT1 to LPT9 (also with the superscript digits ¹, ² and ³), CONIN$, CONOUT$;
// and for any path in Windows' device namespace ("\\.\" in front).
bool isWindowsDeviceName(QStringView path);

// How long the root of a full path is, its closing "\" included: 3 for "C:\", up to the "\" after
// the share for "\\server\share\", and the same behind "\\?\" ("\\?\C:\", "\\?\UNC\server\share\");
// 0 for a path of no such form. The names below the root are separated by "\" alone.
qsizetype windowsRootLength(QStringView fullPath);
