#pragma once

#include "sound/midisequence.h"

#include <QString>

#include <memory>
#include <optional>

// Reads the music's MIDI file into a sequence on the controlling thread, and keeps the sequence
// of the file read last: the music starts over each time it ends, and while the file is unchanged
// a restart only looks at it (an open and a stat, microseconds) instead of reading and parsing it
// again.
//
// A file counts as unchanged while it is the same file (device and inode) with the same size and
// modification time. The file system stamps that time from a clock that moves in steps of
// milliseconds, so a file written in the second before it was read could change again under the
// same stamp; such a file is read again at each play until it has settled.
class MidiFileCache {
public:
    explicit MidiFileCache(int sampleRate);

    // The sequence of the file at `path`; none for one that cannot be opened, is not a regular
    // file, is larger than largestFile or is not a playable MIDI file.
    std::shared_ptr<const MidiSequence> sequence(const QString &path);

    // A MIDI file is a few kilobytes; anything far larger is surely not one. What such a file can
    // cost is bounded by the events it holds (MidiSequence::mostEvents); its 16 MiB take about
    // 1 ms to read on the window's thread (bench/densemidi).
    static constexpr qint64 largestFile = 16 * 1024 * 1024;

private:
    struct Identity {
        unsigned long long device;
        unsigned long long inode;
        long long size;
        long long modifiedSeconds;
        long long modifiedNanoseconds;
        bool operator==(const Identity &) const = default;
    };

    const int sampleRate;
    std::optional<Identity> keptIdentity;   // none while the kept sequence may be stale
    std::shared_ptr<const MidiSequence> kept;
};
