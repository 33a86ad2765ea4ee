#include "startup/savesfoldernote.h"

#include "startup/playerlanguage.h"

#include <QtGlobal>

namespace {

// Rows by the folder meant, columns by the folder taken, in the order of the two enumerations.
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

} // namespace

QString savesFolderSentence(const PlayerTexts &texts, FolderMeant meant, FolderTaken taken)
{
    return texts.translate("LauncherNote", sentences[int(meant)][int(taken)]);
}
