#pragma once

#include <QByteArray>

#include <optional>

// The longest a wave sound may play: three minutes. Before a wave plays it is turned into the sound
// device's format (44100 Hz, 16-bit stereo: 176 400 bytes a second), so however small its file, a
// sound of this length takes 31.8 MB (a file at 1 Hz grows 176 400-fold); the sound's length, not
// the file's size, is what costs. Measured on the 2-core development machine, decoding three
// minutes on the window's thread takes about 0.3 s of CPU when the rate must change (22 050 Hz,
// or 1 Hz, to 44 100 Hz), 0.02 s in the device's own format; at its peak the decode holds about
// 110 MB besides the file's image.
inline constexpr int longestWaveSeconds = 180;

// How long a wave image plays at most, in seconds, as its RIFF/WAVE header tells: the samples of
// its first "data" chunk (as far as the image holds them) at the rate of the "fmt " chunk before
// it, the chunks found one after the other as SDL finds them. Compressed samples count as the
// fewest bits a sample can have, so the answer is never short. Nothing when the image has no such
// chunks, no rate or no channel: then it plays nothing at all.
std::optional<double> waveSeconds(const QByteArray &image);
