#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

// What the game needs of a sound device. Every call returns at once; sound plays in the background.
class AudioBackend {
public:
    using PlayId = std::uint64_t;
    using MusicEndedHandler = std::function<void(PlayId)>;

    // A wave image made ready by the device that is to play it. It holds what that device plays
    // from (the decoded sound, or the image itself), and a play keeps it alive while it sounds.
    class PreparedWave {
    public:
        virtual ~PreparedWave() = default;
    };
    using Wave = std::shared_ptr<const PreparedWave>;

    virtual ~AudioBackend() = default;

    // Plays a MIDI file once from its beginning, cutting off music still playing.
    // Returns a number that names this play in the end notice.
    virtual PlayId playMusic(const QString &path) = 0;

    // Stops the music at once.
    virtual void stopMusic() = 0;

    // Called on the window's thread, after the call that started the play has returned, when the
    // play started last has reached the end of its file. Never for a play that a newer one or a
    // stop cut off, even if its end came first: the device alone decides that. An empty handler
    // switches the notice off.
    virtual void setMusicEndedHandler(MusicEndedHandler handler) = 0;

    // Gets a whole wave file image ready to play, so that playing it later only starts it; what
    // sounds meanwhile sounds on. Nothing when this device cannot play the image.
    virtual Wave prepareWave(const QByteArray &image) = 0;

    // Plays a wave this device prepared, cutting off the wave sound still playing; nothing only
    // cuts that off. Music and waves are independent.
    virtual void playWave(const Wave &wave) = 0;

    // Stops the wave sound that is playing, if any.
    virtual void stopWave() = 0;
};
