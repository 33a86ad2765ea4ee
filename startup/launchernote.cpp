#include "startup/launchernote.h"

#include "startup/playerlanguage.h"
#include "startup/terminaltext.h"

#include <QtGlobal>

#include <initializer_list>
#include <optional>

namespace {

// Rows in the order of the options for the folder meant, columns in that of the options for the
// folder taken and then none; %1 names the folder meant, %2 the one taken.
constexpr const char *sentences[2][3] = {
    {QT_TRANSLATE_NOOP("LauncherNote",
                       "Brummo: Ordner für Spielstände nicht beschreibbar (%1), gespeichert wird in %2."),
     QT_TRANSLATE_NOOP("LauncherNote",
                       "Brummo: Ordner für Spielstände nicht beschreibbar (%1), gespeichert wird in %2, "
                       "deinem eigenen Ordner, den das System beim Abmelden leert."),
     QT_TRANSLATE_NOOP("LauncherNote",
                       "Brummo: Ordner für Spielstände nicht beschreibbar (%1), und kein anderer Ordner ist "
                       "beschreibbar: Spielstände lassen sich nicht speichern.")},
    {QT_TRANSLATE_NOOP("LauncherNote", "Brummo: Ordner nicht beschreibbar (%1), gespeichert wird in %2."),
     QT_TRANSLATE_NOOP("LauncherNote",
                       "Brummo: Ordner nicht beschreibbar (%1), gespeichert wird in %2, deinem eigenen Ordner, "
                       "den das System beim Abmelden leert."),
     QT_TRANSLATE_NOOP("LauncherNote",
                       "Brummo: Ordner nicht beschreibbar (%1), und kein anderer Ordner ist beschreibbar: "
                       "Spielstände lassen sich nicht speichern.")},
};
constexpr int noFolderTaken = 2;

struct Fact {
    int kind;  // the option's place in the list looked for
    QByteArrayView folder;
};

// The first argument that starts with one of these options.
std::optional<Fact> findFact(int argc, const char *const argv[], std::initializer_list<QByteArrayView> options)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArrayView argument(argv[i]);
        int kind = 0;
        for (const QByteArrayView option : options) {
            if (argument.startsWith(option))
                return Fact{kind, argument.sliced(option.size())};
            ++kind;
        }
    }
    return std::nullopt;
}

// The pattern with %1 and %2 replaced in one pass, so that a folder whose name holds "%2" stays as
// it is, and byte for byte, so that a name in no valid encoding stays as it is too.
QByteArray filledIn(QByteArrayView pattern, QByteArrayView first, QByteArrayView second)
{
    QByteArray line;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && (next == '1' || next == '2')) {
            line += next == '1' ? first : second;
            ++i;
        } else {
            line += pattern[i];
        }
    }
    return line;
}

} // namespace

QByteArray launcherNote(int argc, const char *const argv[], const PlayerTexts &texts)
{
    const std::optional<Fact> meant =
        findFact(argc, argv, {"--data-folder-not-writable=", "--folder-not-writable="});
    if (!meant)
        return {};
    const Fact taken = findFact(argc, argv, {"--saving-in=", "--saving-in-runtime-folder="})
                           .value_or(Fact{noFolderTaken, {}});
    const QString sentence = texts.translate("LauncherNote", sentences[meant->kind][taken.kind]);
    return filledIn(forTerminal(sentence), meant->folder, taken.folder) + '\n';
}
