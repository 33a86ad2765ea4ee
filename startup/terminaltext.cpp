#include "startup/terminaltext.h"

#include <cstring>
#include <langinfo.h>
#include <locale.h>

namespace {

bool terminalTakesUtf8()
{
    // A locale of its own, so that the program's (still "C" before Qt sets it) stays as it is. A
    // locale that is not installed leaves the C library in "C", whose character set is ASCII.
    const locale_t players = newlocale(LC_CTYPE_MASK, "", locale_t{});
    if (players == locale_t{})
        return false;
    const bool utf8 = std::strcmp(nl_langinfo_l(CODESET, players), "UTF-8") == 0;
    freelocale(players);
    return utf8;
}

struct StandIn {
    char16_t character;
    const char *ascii;
};

constexpr StandIn standIns[] = {
    {u'„', "\""}, {u'“', "\""}, {u'”', "\""}, {u'‚', "'"}, {u'‘', "'"}, {u'’', "'"},
    {u'–', "-"},  {u'—', "-"},  {u'…', "..."}, {u'ä', "ae"}, {u'ö', "oe"}, {u'ü', "ue"},
    {u'Ä', "Ae"}, {u'Ö', "Oe"}, {u'Ü', "Ue"}, {u'ß', "ss"},
};

const char *standInFor(QChar character)
{
    for (const StandIn &standIn : standIns) {
        if (character == standIn.character)
            return standIn.ascii;
    }
    return "?";
}

// Each character outside ASCII as its stand-in, "?" where there is none.
QByteArray inAscii(const QString &text)
{
    QByteArray ascii;
    ascii.reserve(text.size());
    for (const QChar character : text) {
        if (character.isLowSurrogate())
            continue;  // its high one already stood for the character
        if (character.unicode() < 0x80)
            ascii.append(static_cast<char>(character.unicode()));
        else
            ascii.append(standInFor(character));
    }
    return ascii;
}

} // namespace

QByteArray forTerminal(const QString &text)
{
    return terminalTakesUtf8() ? text.toUtf8() : inAscii(text);
}
