// The music reader as the game takes it: any bytes as a standard MIDI file, read at the device's
// rate into the list of messages the audio thread walks.
#include "sound/midisequence.h"
#include "tests/fuzz/fuzzcheck.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // libFuzzer's block is exactly the input's size, so a read past its end is where
    // AddressSanitizer watches.
    const QByteArray file = QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const MidiSequence sequence = MidiSequence::read(file, 44100);

    require(sequence.events.size() <= MidiSequence::mostEvents, "no more events than the cap");
    require(sequence.playable() || sequence.events.empty(), "a sequence that cannot play holds nothing");
    long long before = 0;
    for (const MidiSequence::Event &event : sequence.events) {
        require(event.frame >= before, "the events are sorted by frame, from 0 on");
        require(event.frame <= sequence.endFrame, "no event after the song's end");
        require(event.status >= 0x80 && event.status <= 0xEF, "every status is a channel message's");
        require(event.data1 <= 0x7F && event.data2 <= 0x7F, "every data byte is below 0x80");
        const int kind = event.status >> 4;
        require(event.data2 == 0 || (kind != 0xC && kind != 0xD), "a message of one data byte has no second");
        before = event.frame;
    }
    return 0;
}
