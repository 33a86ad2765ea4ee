#pragma once

#include "about/programlauncher.h"
#include "about/registry.h"
#include "game/frmmain.h"
#include "game/services.h"
#include "sound/apis.h"
#include "tests/support/fakedialogs.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/recordingaudio.h"
#include "tests/support/virtualclock.h"

#include <QLabel>
#include <QTemporaryDir>

#include <memory>

// A main window on fakes: virtual time, scripted boxes, temporary folders; its sound goes to the
// given device, which must outlive it. The program folder holds a warning and a winner sound of
// known sizes.
struct GameFixture {
    explicit GameFixture(AudioBackend &audio);

    QColor countdownColour() const;
    int visibleTargets() const;

    // Makes the next show tick pick this target at this place in twips.
    void nextTarget(int index, int left = 3000, int top = 2000);

    static QByteArray waveOfSize(int bytes);
    static constexpr int warningBytes = 1000;
    static constexpr int winnerBytes = 2000;

    QTemporaryDir programFolder;
    QTemporaryDir workingFolder;
    VirtualClock clock;
    FakeDialogs dialogs;
    FakeRandom random;
    FakeTimeOfDay timeOfDay;
    FakeFolders folders;
    Apis sound;
    NoRegistry registry;
    SystemLauncher launcher;
    Services services{clock, dialogs, random, timeOfDay, folders, sound, registry, launcher};
    std::unique_ptr<frmMain> window;
};

// Made before the fixture, so the fixture can be given it.
struct SoundRecording {
    RecordingAudio audio;
};

// The game as most tests see it: every sound recorded, none played.
struct RecordedGame : SoundRecording, GameFixture {
    RecordedGame() : GameFixture(audio) {}
};

// A test that cannot set up its files has nothing to say.
void writeFile(const QString &path, const QByteArray &bytes);
