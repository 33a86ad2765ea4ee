#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

// The longest a wave sound may play: three minutes. Before a wave plays it is turned into the sound
// device's format (44100 Hz, 16-bit stereo), so however small its file, what that takes grows with
// the sound's length (a file at 1 Hz grows 176 400-fold), not with the file's size.
inline constexpr int longestWaveSeconds = 180;

// The highest of the rates sound files usually have.
inline constexpr int usualHighestWaveRate = 48000;

// The most samples a wave may bring to that conversion: three minutes of stereo at that rate. SDL
// decodes a wave at its own rate, makes mono stereo and every sample a 32-bit float before it
// changes the rate, all at once on the thread that loads it; so the work and the memory grow with
// the samples at the file's own rate too, and a compressed file at a high rate holds hundreds of
// millions of them in a few megabytes.
inline constexpr qint64 mostWaveSamples = qint64(longestWaveSeconds) * usualHighestWaveRate * 2;

// A wave's sound as its RIFF/WAVE header tells it: the samples of its first "data" chunk (as far as
// the image holds them) in the layout of the "fmt " chunk before it, the chunks found one after the
// other as SDL finds them. Counted so that it is never short of what SDL decodes: compressed
// samples as the fewest bits a sample can have, and a frame for every block where the blocks are
// said to be smaller than a frame, as SDL counts them.
struct WaveShape {
    qint64 frames;
    int channels;
    quint32 rate;

    double seconds() const { return double(frames) / rate; }
    // What SDL converts at the file's own rate: mono becomes stereo first.
    qint64 samplesToConvert() const { return frames * qMax(channels, 2); }
    bool withinBounds() const { return seconds() <= longestWaveSeconds && samplesToConvert() <= mostWaveSamples; }
};

// Nothing when the image has no such chunks, no rate or no channel: then it plays nothing at all.
std::optional<WaveShape> waveShape(const QByteArray &image);
