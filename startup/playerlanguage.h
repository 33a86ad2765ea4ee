#pragma once

#include <QStringList>
#include <QTranslator>

// The languages the game speaks: German, in which its texts are written, and English, from
// translations/brummo_en.ts.
enum class PlayerLanguage { German, English };

// The first of the player's languages, most wanted first as QLocale::uiLanguages() lists them, that
// the game speaks; German when none of them is one (the C/POSIX locale included).
PlayerLanguage chooseLanguage(const QStringList &uiLanguages);

// The game's texts and Qt's own (standard buttons, boxes) in this language, installed in the
// application for as long as this lives. Made before the first window and before the sound module
// is loaded, so that every text is looked up in them.
class PlayerTexts {
public:
    explicit PlayerTexts(PlayerLanguage language);
    PlayerTexts(const PlayerTexts &) = delete;
    PlayerTexts &operator=(const PlayerTexts &) = delete;

private:
    QTranslator texts;  // takes itself out of the application when destroyed
};
