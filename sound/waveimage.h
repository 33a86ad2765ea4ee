#pragma once

#include <QByteArray>

#include <SDL_mixer.h>

#include <memory>

// The check and the decode a wave image passes before SDL_mixer plays it: the sound device's own
// steps, apart so that the fuzzer can drive them without the device's other work.

// Whether an image may reach SDL at all: a whole RIFF/WAVE header, no more than SDL can size.
bool isWaveImage(const QByteArray &image);

// A wave image decoded into the sound device's fixed format (44100 Hz, 16-bit stereo), ready for a
// channel of SDL_mixer. It needs no open device and stays playable while the device closes and opens
// again, since the device always opens in that format.
class DecodedWave {
public:
    // Nothing for an image that cannot play, or that plays longer than longestWaveSeconds.
    static std::unique_ptr<DecodedWave> decode(const QByteArray &image);
    ~DecodedWave();
    DecodedWave(const DecodedWave &) = delete;
    DecodedWave &operator=(const DecodedWave &) = delete;

    // Whether it was decoded from this very image: the same bytes in memory, or a copy sharing them.
    // It keeps the image, so those bytes cannot be freed and given to another image meanwhile.
    bool isDecodedFrom(const QByteArray &other) const
    {
        return other.constData() == image.constData() && other.size() == image.size();
    }

    // Only while no channel plays it may the wave be destroyed.
    Mix_Chunk *chunk() { return &sound; }

private:
    DecodedWave(const QByteArray &image, Uint8 *samples, Uint32 bytes);

    const QByteArray image;
    Mix_Chunk sound;
};
