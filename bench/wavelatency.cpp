// Time from the game's WavAbspielen to the mixing pass that hands the wave's first samples to the
// audio device, through the real SdlAudioBackend and Apis, with the music looping underneath as it
// does when the ten-second warning sounds.
//
//   wavelatency [PLAYS]
//
// Run it with SDL_AUDIODRIVER=disk and SDL_DISKAUDIOFILE=/dev/null: the disk driver keeps the pace
// of a sound card (one 512-frame buffer per buffer time) on machines without one.

#include "bench/waveonset.h"
#include "platform/qttimers.h"
#include "sound/apis.h"
#include "sound/sdlaudiobackend.h"
#include "tests/support/fakedialogs.h"
#include "tests/support/fakeplatform.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int plays = argc > 1 ? std::atoi(argv[1]) : 30;

    QtTimerFactory timers;
    SdlAudioBackend audio(timers);
    FakeDialogs dialogs;
    FakeFolders folders;
    folders.program = QStringLiteral(BRUMMO_SOURCE_DIR "/assets");
    Apis sound(audio, dialogs, folders);
    std::printf("audio driver: %s\n", qPrintable(audio.driverName()));

    // The SoundFont loads in the background during the splash window; the game starts after it.
    while (!audio.musicReady())
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    sound.MidiDatei = sound.Programmordner() + QStringLiteral("kol.mid");
    sound.MusikStarten();
    sound.WavDaten = sound.WavLaden(QStringLiteral("crap.wav"));
    if (!dialogs.shown.isEmpty()) {
        std::fprintf(stderr, "wavelatency: %s\n", qPrintable(dialogs.texts().join(QLatin1Char('\n'))));
        return 1;
    }

    WaveOnsetClock clock(0);
    const auto latencies = clock.measure(
        plays, [&] { sound.WavAbspielen(); }, [] { QCoreApplication::processEvents(); });
    WaveOnsetClock::report("wave_latency", latencies);
    sound.MusikStoppen();
    return 0;
}
