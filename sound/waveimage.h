#pragma once

#include "sound/audiobackend.h"

#include <QByteArray>

#include <SDL_mixer.h>

#include <memory>

// The check and the decode a wave image passes before SDL_mixer plays it: the sound device's own
// steps, apart so that the fuzzer can drive them without the device's other work.

// Whether an image may reach SDL at all: a whole RIFF/WAVE header, no more than SDL can size.
bool isWaveImage(const QByteArray &image);

// A wave image decoded into the sound device's fixed format (44100 Hz, 16-bit stereo), ready for a
// channel of SDL_mixer. It needs no open device and stays playable while the device closes and opens
// again, since the device always opens in that format. A copy: the image may go once it is made.
class DecodedWave final : public AudioBackend::PreparedWave {
public:
    // Nothing for an image that cannot play, or whose header breaks a bound of WaveShape; then
    // nothing was decoded.
    static std::unique_ptr<DecodedWave> decode(const QByteArray &image);
    ~DecodedWave() override;
    DecodedWave(const DecodedWave &) = delete;
    DecodedWave &operator=(const DecodedWave &) = delete;

    // Only while no channel plays it may the wave be destroyed. SDL_mixer takes the chunk as one it
    // may change, though it only reads it.
    Mix_Chunk *chunk() const { return &sound; }

private:
    DecodedWave(Uint8 *samples, Uint32 bytes);

    mutable Mix_Chunk sound;
};
