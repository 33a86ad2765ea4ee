#pragma once

#include "sound/midisequence.h"

#include <QString>

#include <memory>

// A MIDI file is a few kilobytes; anything far larger is surely not one. What such a file can
// cost is bounded by the events it holds (MidiSequence::mostEvents).
inline constexpr qint64 largestMusicFile = 16 * 1024 * 1024;

// The shortest a play of the music lasts, silence after a shorter file included: the end of each
// play starts the next, which reads the music file anew on the window's thread, so a file that
// lasts next to nothing would be read again and again. Longer than any restart costs.
inline constexpr double shortestMusicPlaySeconds = 1.0;

// The music file at `path` read into a sequence, on the window's thread, afresh at every start as
// the game names it anew each time; none for one that cannot be opened, is not a regular file, is
// larger than largestMusicFile or is not a playable MIDI file.
std::shared_ptr<const MidiSequence> readMusicFile(const QString &path, int sampleRate);
