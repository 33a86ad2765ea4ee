#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>

// What the game needs of a sound device. Every call returns at once; sound plays in the background.
class AudioBackend {
public:
    using PlayId = std::uint64_t;
    using MusicEndedHandler = std::function<void(PlayId)>;

    virtual ~AudioBackend() = default;

    // Plays a MIDI file once from its beginning, cutting off music still playing.
    // Returns a number that names this play in the end notice.
    virtual PlayId playMusic(const QString &path) = 0;

    // Stops the music at once; the cut-off play sends no end notice.
    virtual void stopMusic() = 0;

    // Called on the user-interface thread, after the call that started the play has returned,
    // when a play has reached the end of its file. An empty handler switches the notice off.
    virtual void setMusicEndedHandler(MusicEndedHandler handler) = 0;

    // Gets a whole wave file image ready to play, replacing the one prepared before; what sounds
    // sounds on. Playing the image prepared last (the same bytes in memory, or a copy sharing them)
    // then plays what was prepared here, at once.
    virtual void prepareWave(const QByteArray &image) = 0;

    // Plays a whole wave file image, cutting off the wave sound still playing; one not prepared
    // last is prepared first. An empty or unplayable image plays nothing. Music and waves are
    // independent.
    virtual void playWave(const QByteArray &image) = 0;

    // Stops the wave sound that is playing, if any.
    virtual void stopWave() = 0;
};
