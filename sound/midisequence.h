#pragma once

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <vector>

// A standard MIDI file read whole into the channel messages it sends, each at the sample frame it
// is due, all tracks merged in the order they sound.
//
// Read on the window's thread, so that the audio thread only walks a finished list: reading a file
// allocates, and the audio thread must not. Meta events other than the tempo, and system exclusive
// messages, are read past and not kept.
class MidiSequence {
public:
    struct Event {
        long long frame;
        std::uint8_t status;   // a channel message: 0x80 to 0xEF
        std::uint8_t data1;
        std::uint8_t data2;   // 0 for the messages that have one data byte
    };

    // At most this many events are read from one file, channel messages, meta events and system
    // exclusive messages alike; a file with more plays nothing. No song comes near it (a long
    // orchestral file has some tens of thousands), and it bounds what the window's thread does at
    // each start of the music and what a sequence holds (16 bytes a message); the README's cost
    // table has the figures.
    static constexpr std::size_t mostEvents = 200'000;

    // Nothing to play: no events and no length.
    MidiSequence() = default;

    // The file read at the given sample rate; an empty sequence for anything that is not a whole
    // standard MIDI file, and for one that lasts no time (it would end in every buffer).
    static MidiSequence read(const QByteArray &file, int sampleRate);

    bool playable() const { return endFrame > 0; }

    std::vector<Event> events;
    long long endFrame = 0;   // where the last track ends
};
