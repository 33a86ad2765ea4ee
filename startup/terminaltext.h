#pragma once

#include <QByteArray>
#include <QString>

// Text for the terminal, in the character set the player's locale gives it (LC_ALL, LC_CTYPE, LANG,
// as the C library reads them): UTF-8 where that is UTF-8. Anywhere else, such as the C locale of a
// bare container or an old Latin-1 one, UTF-8 bytes would show as rubbish, so the text is written
// in plain ASCII: straight quotes for curly ones, "-" for dashes, "..." for an ellipsis, and the
// German letters as German writes them without umlauts (ae, oe, ue, ss).
QByteArray forTerminal(const QString &text);

