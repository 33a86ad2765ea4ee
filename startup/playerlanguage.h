#pragma once

#include <QByteArrayView>
#include <QTranslator>

// The languages the game speaks: German, in which its texts are written, and English, from
// translations/brummo_en.ts.
enum class PlayerLanguage { German, English };

// The variables that name the player's languages, as the environment holds them (empty when unset).
struct LanguageVariables {
    QByteArrayView language;    // LANGUAGE: languages, most wanted first, separated by ':'
    QByteArrayView lcAll;       // LC_ALL, LC_MESSAGES, LANG: the locale for messages, the first set wins
    QByteArrayView lcMessages;
    QByteArrayView lang;
};

// The game's one rule for its language, which the launcher's line follows too (it is printed by the
// program): the player's languages are those of LANGUAGE when it is set, otherwise the locale for
// messages. The first of them that is German or English ("de", "en_GB.UTF-8", "EN-us", "de@euro")
// wins; German when none is. LANGUAGE counts under the C and POSIX locales as well, where gettext
// passes over it: a machine without a locale is in C, and there LANGUAGE is all a player said.
PlayerLanguage chooseLanguage(const LanguageVariables &variables);

// The same for the variables this process was started with.
PlayerLanguage playerLanguage();

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
