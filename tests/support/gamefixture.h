#pragma once

#include "about/programlauncher.h"
#include "about/registry.h"
#include "game/frmmain.h"
#include "platform/services.h"
#include "sound/apis.h"
#include "tests/support/fakedialogs.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/recordingaudio.h"
#include "tests/support/virtualclock.h"

#include <QLabel>
#include <QTemporaryDir>

#include <memory>

// A main window on fakes: virtual time, scripted boxes, recorded sound, temporary folders.
// The program folder holds a warning and a winner sound of known sizes.
struct GameFixture {
    GameFixture();

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
    RecordingAudio audio;
    Apis sound{audio, dialogs, folders};
    NoRegistry registry;
    SystemLauncher launcher;
    Services services{clock, dialogs, random, timeOfDay, folders, sound, registry, launcher};
    std::unique_ptr<frmMain> window;
};
