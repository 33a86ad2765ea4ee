#include "sound/midisequence.h"

#include <algorithm>
#include <cmath>

namespace {

// Nothing the game plays lasts a day; a file that claims to would overflow the frame count.
constexpr double longestSeconds = 24 * 3600;

struct TimedEvent {
    std::uint64_t tick;
    MidiSequence::Event event;
};

struct TempoChange {
    std::uint64_t tick;
    std::uint32_t microsecondsPerQuarter;
};

// Reads big-endian numbers and variable-length quantities; every read says whether the bytes were there.
class Bytes {
public:
    Bytes(const char *data, std::uint64_t size) : data(data), size(size) {}

    bool atEnd() const { return position >= size; }

    bool byte(std::uint8_t &out)
    {
        if (atEnd())
            return false;
        out = static_cast<std::uint8_t>(data[position++]);
        return true;
    }

    bool number(int bytes, std::uint32_t &out)
    {
        out = 0;
        std::uint8_t next = 0;
        for (int i = 0; i < bytes; ++i) {
            if (!byte(next))
                return false;
            out = (out << 8) | next;
        }
        return true;
    }

    bool variable(std::uint32_t &out)
    {
        out = 0;
        std::uint8_t next = 0x80;
        for (int i = 0; i < 4 && (next & 0x80); ++i) {
            if (!byte(next))
                return false;
            out = (out << 7) | (next & 0x7F);
        }
        return !(next & 0x80);
    }

    bool take(std::uint64_t count, Bytes &part)
    {
        if (count > size - position)
            return false;
        part = Bytes(data + position, count);
        position += count;
        return true;
    }

    bool skip(std::uint64_t count)
    {
        Bytes ignored(nullptr, 0);
        return take(count, ignored);
    }

private:
    const char *data;
    std::uint64_t size;
    std::uint64_t position = 0;
};

bool readTrack(Bytes track, std::vector<TimedEvent> &events, std::vector<TempoChange> &tempos, std::uint64_t &endTick,
               std::size_t &eventsLeft)
{
    std::uint64_t tick = 0;
    std::uint8_t running = 0;
    while (!track.atEnd()) {
        if (eventsLeft == 0)
            return false;
        --eventsLeft;
        std::uint32_t delta = 0;
        std::uint8_t status = 0;
        if (!track.variable(delta) || !track.byte(status))
            return false;
        tick += delta;
        std::uint32_t length = 0;
        if (status == 0xFF) {
            std::uint8_t type = 0;
            if (!track.byte(type) || !track.variable(length))
                return false;
            if (type == 0x2F)
                break;
            if (type != 0x51 || length != 3) {
                if (!track.skip(length))
                    return false;
                continue;
            }
            std::uint32_t microseconds = 0;
            if (!track.number(3, microseconds))
                return false;
            // A quarter note of no length would stop the clock: the tempo before it stays.
            if (microseconds > 0)
                tempos.push_back({tick, microseconds});
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            if (!track.variable(length) || !track.skip(length))
                return false;
            continue;
        }
        std::uint8_t data1 = 0;
        std::uint8_t data2 = 0;
        if (status < 0x80) {
            // Running status: the byte read is already the first data byte.
            if (running == 0)
                return false;
            data1 = status;
            status = running;
        } else if (status >= 0xF0 || !track.byte(data1)) {
            return false;
        }
        running = status;
        const int kind = status >> 4;
        if ((kind != 0xC && kind != 0xD && !track.byte(data2)) || data1 > 0x7F || data2 > 0x7F)
            return false;
        events.push_back({tick, {0, status, data1, data2}});
    }
    endTick = std::max(endTick, tick);
    return true;
}

} // namespace

MidiSequence MidiSequence::read(const QByteArray &file, int sampleRate)
{
    Bytes bytes(file.constData(), static_cast<std::uint64_t>(file.size()));
    std::uint32_t tag = 0, headerLength = 0, format = 0, trackCount = 0, division = 0;
    if (!file.startsWith("MThd") || !bytes.number(4, tag) || !bytes.number(4, headerLength) || headerLength < 6
        || !bytes.number(2, format) || !bytes.number(2, trackCount) || !bytes.number(2, division)
        || !bytes.skip(headerLength - 6) || division == 0)
        return {};

    // Ticks are either a fraction of a quarter note, whose length the tempo events set, or a
    // fraction of an SMPTE frame (the high byte is minus the frames a second; 29 means 29.97).
    const bool smpte = division & 0x8000;
    double secondsPerTick = 0.5 / division;   // until the first tempo event: 120 beats a minute
    if (smpte) {
        const int framesPerSecond = -static_cast<std::int8_t>(division >> 8);
        const int ticksPerFrame = static_cast<int>(division & 0xFF);
        if (framesPerSecond <= 0 || ticksPerFrame == 0)
            return {};
        secondsPerTick = 1.0 / ((framesPerSecond == 29 ? 29.97 : framesPerSecond) * ticksPerFrame);
    }

    std::vector<TimedEvent> timed;
    std::vector<TempoChange> tempos;
    std::uint64_t endTick = 0;
    std::size_t eventsLeft = mostEvents;
    for (std::uint32_t found = 0; found < trackCount;) {
        std::uint32_t length = 0;
        Bytes chunk(nullptr, 0);
        if (!bytes.number(4, tag) || !bytes.number(4, length) || !bytes.take(length, chunk))
            return {};
        // Chunks of other kinds may be mixed in; a reader is to pass over them.
        if (tag != 0x4D54726B)   // "MTrk"
            continue;
        if (!readTrack(chunk, timed, tempos, endTick, eventsLeft))
            return {};
        ++found;
    }
    if (smpte)
        tempos.clear();
    std::stable_sort(timed.begin(), timed.end(), [](const TimedEvent &a, const TimedEvent &b) { return a.tick < b.tick; });
    std::stable_sort(tempos.begin(), tempos.end(), [](const TempoChange &a, const TempoChange &b) { return a.tick < b.tick; });

    // Ticks become seconds along the tempo map; the ticks asked for only ever grow.
    std::size_t nextTempo = 0;
    std::uint64_t tempoTick = 0;
    double tempoSeconds = 0;
    const auto secondsAt = [&](std::uint64_t tick) {
        for (; nextTempo < tempos.size() && tempos[nextTempo].tick <= tick; ++nextTempo) {
            tempoSeconds += static_cast<double>(tempos[nextTempo].tick - tempoTick) * secondsPerTick;
            tempoTick = tempos[nextTempo].tick;
            secondsPerTick = tempos[nextTempo].microsecondsPerQuarter / 1e6 / division;
        }
        return tempoSeconds + static_cast<double>(tick - tempoTick) * secondsPerTick;
    };
    MidiSequence sequence;
    sequence.events.reserve(timed.size());
    for (const TimedEvent &event : timed) {
        const double at = secondsAt(event.tick);
        if (at > longestSeconds)
            return {};
        sequence.events.push_back(event.event);
        sequence.events.back().frame = std::llround(at * sampleRate);
    }
    const double seconds = secondsAt(endTick);
    if (seconds > longestSeconds)
        return {};
    sequence.endFrame = std::llround(seconds * sampleRate);
    if (!sequence.playable())
        return {};
    return sequence;
}
