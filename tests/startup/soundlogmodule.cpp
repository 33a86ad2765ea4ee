// A sound module for checks of the whole program: it plays nothing and writes each call the game
// makes to the file named by BRUMMO_SOUND_LOG, one line as it comes, and "closed" when the program
// lets the device go, which is where the real device stops the music and closes. A program that
// ends without letting its device go leaves no "closed" behind.
#include "sound/audiobackend.h"
#include "sound/soundmodule.h"

#include <QFile>

#include <memory>

namespace {

// A wave as prepared here: no more than its size, which its play writes down.
struct LoggedWave final : AudioBackend::PreparedWave {
    explicit LoggedWave(qsizetype bytes) : bytes(bytes) {}
    const qsizetype bytes;
};

class SoundLog final : public AudioBackend {
public:
    SoundLog() : log(qEnvironmentVariable("BRUMMO_SOUND_LOG"))
    {
        if (!log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
            qFatal("BRUMMO_SOUND_LOG cannot be written: %s", qPrintable(log.errorString()));
    }
    ~SoundLog() override { note("closed"); }

    PlayId playMusic(const QString &path) override
    {
        note("play " + path);
        return ++plays;
    }
    void stopMusic() override { note("stop"); }
    void setMusicEndedHandler(MusicEndedHandler handler) override { note(handler ? "handler on" : "handler off"); }
    Wave prepareWave(const QByteArray &image) override
    {
        note("prepare " + QString::number(image.size()));
        return std::make_shared<const LoggedWave>(image.size());
    }
    void playWave(const Wave &wave) override
    {
        note(wave ? "wave " + QString::number(static_cast<const LoggedWave &>(*wave).bytes) : QStringLiteral("wave none"));
    }
    void stopWave() override { note("wave stop"); }

private:
    void note(const QString &line) { log.write((line + '\n').toUtf8()); }

    QFile log;
    PlayId plays = 0;
};

AudioBackend *create(TimerFactory &)
{
    return new SoundLog;
}

} // namespace

extern "C" Q_DECL_EXPORT const SoundModuleEntry brummo_sound_module{soundModuleVersion, &create};
