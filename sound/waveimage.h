#pragma once

#include <QByteArray>

struct Mix_Chunk;

// The check and the decode a wave image passes before SDL_mixer plays it: the sound device's own
// steps, apart so that the fuzzer can drive them without the device's other work.

// Whether an image may reach SDL_mixer at all: a whole RIFF/WAVE header, no more than SDL can size.
bool isWaveImage(const QByteArray &image);

// The image decoded into the open device's format, or nullptr for an image that cannot play.
// Needs an open SDL_mixer device; free the result with Mix_FreeChunk.
Mix_Chunk *decodeWave(const QByteArray &image);
