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
// application for as long as this lives, before the first window and before the sound module is
// loaded, so that every text is looked up in them. The program makes them before the application,
// so that an answer on the terminal speaks the player's language too, and installs them once the
// application is there; made with the application already there, they install themselves.
class PlayerTexts {
public:
    explicit PlayerTexts(PlayerLanguage language);
    PlayerTexts(const PlayerTexts &) = delete;
    PlayerTexts &operator=(const PlayerTexts &) = delete;

    void install();

    // The text in the player's language, without the application: the source text itself in German.
    QString translate(const char *context, const char *sourceText) const;

private:
    QTranslator texts;  // takes itself out of the application when destroyed
    bool loaded = false;
};
