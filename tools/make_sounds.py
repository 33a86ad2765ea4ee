#!/usr/bin/env python3
"""Writes the game's music and sound effects: assets/kol.mid, assets/crap.wav, assets/deadnow.wav.

Everything is composed and synthesised here, so the committed files can be regenerated
byte for byte:  python3 tools/make_sounds.py [output folder]
"""

import math
import os
import struct
import sys
import wave

# ---------------------------------------------------------------------------------------------
# MIDI file writing

DIVISION = 480                 # ticks per quarter note
EIGHTH = DIVISION // 2
BAR = 4 * DIVISION
TEMPO_BPM = 160


def vlq(value):
    """A MIDI variable-length quantity."""
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


class Track:
    def __init__(self):
        # (tick, order, bytes): at one tick note-offs (order 0) go before everything else, so a
        # note repeated at once is not cut off by its own predecessor's release.
        self.events = []

    def add(self, tick, data, order=1):
        self.events.append((tick, order, bytes(data)))

    def note(self, channel, start, length, pitch, velocity):
        assert 0 <= pitch < 128 and 0 < velocity < 128 and length > 0
        self.add(start, [0x90 | channel, pitch, velocity], order=2)
        self.add(start + length, [0x80 | channel, pitch, 0], order=0)

    def encode(self):
        chunk = bytearray()
        now = 0
        for tick, _, data in sorted(self.events, key=lambda e: (e[0], e[1])):
            chunk += vlq(tick - now) + data
            now = tick
        # End of track right at the last event: the restart follows the last release at once.
        chunk += vlq(0) + b'\xff\x2f\x00'
        return b'MTrk' + struct.pack('>I', len(chunk)) + bytes(chunk)


def midi_file(tracks):
    header = b'MThd' + struct.pack('>IHHH', 6, 1, len(tracks), DIVISION)
    return header + b''.join(t.encode() for t in tracks)


NOTE_INDEX = {'C': 0, 'D': 2, 'E': 4, 'F': 5, 'G': 7, 'A': 9, 'B': 11}


def pitch_of(name):
    """'C4' is middle C (60); '#' and 'b' follow the letter."""
    semitone = NOTE_INDEX[name[0]]
    rest = name[1:]
    while rest and rest[0] in '#b':
        semitone += 1 if rest[0] == '#' else -1
        rest = rest[1:]
    return 12 * (int(rest) + 1) + semitone


def phrase(text):
    """'E5/1 G5/1 C6/2 r/2' -> [(pitch or None, eighths)]; every bar must fill eight eighths."""
    notes = []
    for token in text.split():
        name, eighths = token.split('/')
        notes.append((None if name == 'r' else pitch_of(name), int(eighths)))
    assert sum(e for _, e in notes) == 8, text
    return notes


# ---------------------------------------------------------------------------------------------
# The chase tune: C major, 160 beats a minute, 20 bars = 30 s.
# Intro (2 bars), A tune on clarinet (8), B tune on trumpet with a xylophone an octave above (8),
# a running turnaround (2) that ends on the dominant, so the start of the next pass answers it.

CH_CLARINET, CH_TRUMPET, CH_TUBA, CH_BRASS, CH_XYLOPHONE, CH_DRUMS = 0, 1, 2, 3, 4, 9
PROGRAMS = {CH_CLARINET: 71, CH_TRUMPET: 56, CH_TUBA: 58, CH_BRASS: 61, CH_XYLOPHONE: 13}
VOLUMES = {CH_CLARINET: 112, CH_TRUMPET: 96, CH_TUBA: 104, CH_BRASS: 76, CH_XYLOPHONE: 100, CH_DRUMS: 96}
PANS = {CH_CLARINET: 70, CH_TRUMPET: 60, CH_TUBA: 64, CH_BRASS: 44, CH_XYLOPHONE: 84, CH_DRUMS: 64}
REVERB = 36

# One entry per bar: (chords, melody channel or None, melody)
SONG = [
    ('C', None, None),
    ('G7', CH_CLARINET, 'r/4 G4/1 A4/1 B4/1 D5/1'),
    # A
    ('C', CH_CLARINET, 'E5/1 G5/1 C6/2 B5/1 C6/1 G5/2'),
    ('C', CH_CLARINET, 'E5/1 F5/1 G5/1 E5/1 C5/2 G4/2'),
    ('G7', CH_CLARINET, 'F5/1 E5/1 D5/1 F5/1 B5/2 G5/2'),
    ('G7', CH_CLARINET, 'A5/1 G5/1 F5/1 D5/1 B4/2 G4/2'),
    ('C', CH_CLARINET, 'E5/1 G5/1 C6/2 B5/1 C6/1 E6/2'),
    ('F', CH_CLARINET, 'F6/1 E6/1 D6/1 C6/1 A5/2 F5/2'),
    ('G7', CH_CLARINET, 'G5/1 A5/1 G5/1 F5/1 D5/1 F5/1 B4/1 D5/1'),
    ('C', CH_CLARINET, 'C5/2 E5/1 G5/1 C6/2 r/2'),
    # B
    ('F', CH_TRUMPET, 'A5/1 A5/1 r/1 A5/1 C6/1 A5/1 F5/2'),
    ('C', CH_TRUMPET, 'G5/1 G5/1 r/1 G5/1 E5/1 C5/1 E5/2'),
    ('G', CH_TRUMPET, 'D5/1 G5/1 B5/1 D6/1 B5/1 G5/1 D5/2'),
    ('C', CH_TRUMPET, 'E5/1 G5/1 C6/1 E6/1 D6/1 C6/1 G5/2'),
    ('F', CH_TRUMPET, 'A5/1 C6/1 F6/2 E6/1 D6/1 C6/2'),
    ('C', CH_TRUMPET, 'G5/1 E5/1 C5/1 E5/1 G5/2 C6/2'),
    ('D7', CH_TRUMPET, 'F#5/1 A5/1 C6/1 D6/1 C6/1 A5/1 F#5/2'),
    ('G7', CH_TRUMPET, 'G5/1 F5/1 D5/1 B4/1 G4/2 r/2'),
    # turnaround
    ('F G7', CH_CLARINET, 'F5/1 A5/1 C6/1 A5/1 G5/1 B5/1 D6/1 F6/1'),
    ('C G7', CH_CLARINET, 'E6/1 C6/1 G5/1 E5/1 D5/1 B4/1 G4/2'),
]

CHORDS = {
    'C': (48, [60, 64, 67]),
    'F': (41, [60, 65, 69]),
    'G': (43, [59, 62, 67]),
    'G7': (43, [59, 62, 65, 67]),
    'D7': (50, [60, 62, 66, 69]),
}

KICK, SNARE, CLOSED_HAT, OPEN_HAT, CRASH, LOW_TOM, HIGH_TOM = 36, 38, 42, 46, 49, 45, 50


def compose():
    end = len(SONG) * BAR
    conductor = Track()
    conductor.add(0, b'\xff\x03' + vlq(len(b'Brummo')) + b'Brummo')
    conductor.add(0, b'\xff\x51\x03' + struct.pack('>I', 60_000_000 // TEMPO_BPM)[1:])
    conductor.add(0, b'\xff\x58\x04\x04\x02\x18\x08')     # 4/4

    tracks = {ch: Track() for ch in (CH_CLARINET, CH_TRUMPET, CH_TUBA, CH_BRASS, CH_XYLOPHONE, CH_DRUMS)}
    for ch, track in tracks.items():
        if ch in PROGRAMS:
            track.add(0, [0xC0 | ch, PROGRAMS[ch]])
        track.add(0, [0xB0 | ch, 7, VOLUMES[ch]])
        track.add(0, [0xB0 | ch, 10, PANS[ch]])
        track.add(0, [0xB0 | ch, 91, REVERB])

    for bar, (chords, melody_channel, melody) in enumerate(SONG):
        start = bar * BAR
        last_bar = bar == len(SONG) - 1
        halves = chords.split()
        # tuba: oom-pah quarters, root and fifth; brass: short stabs on the off-beats
        for beat in range(4):
            chord = halves[beat * len(halves) // 4]
            root, voicing = CHORDS[chord]
            tick = start + beat * DIVISION
            bass = root if beat % 2 == 0 else root + 7
            length = DIVISION * 4 // 5
            if last_bar and beat == 3:
                length = start + BAR - tick
            tracks[CH_TUBA].note(CH_TUBA, tick, length, bass, 100 if beat % 2 == 0 else 84)
            stab = tick + EIGHTH
            stab_length = EIGHTH // 2
            if last_bar and beat == 3:
                stab_length = start + BAR - stab
            for p in voicing:
                tracks[CH_BRASS].note(CH_BRASS, stab, stab_length, p, 78 if beat % 2 else 70)

        if melody:
            at = start
            for index, (pitch, eighths) in enumerate(phrase(melody)):
                length = eighths * EIGHTH
                if pitch is not None:
                    held = length if (last_bar and index == len(phrase(melody)) - 1) else length * 9 // 10
                    accent = 12 if (at - start) % DIVISION == 0 else 0
                    velocity = 92 + accent if melody_channel == CH_CLARINET else 88 + accent
                    tracks[melody_channel].note(melody_channel, at, held, pitch, velocity)
                at += length
            # the xylophone sparkles above the trumpet and doubles the turnaround's run
            if melody_channel == CH_TRUMPET or bar >= len(SONG) - 2:
                at = start
                for pitch, eighths in phrase(melody):
                    length = eighths * EIGHTH
                    if pitch is not None:
                        held = length if last_bar and at + length == start + BAR else length * 9 // 10
                        tracks[CH_XYLOPHONE].note(CH_XYLOPHONE, at, held, pitch + 12, 70)
                    at += length

        drums = tracks[CH_DRUMS]
        for eighth in range(8):
            tick = start + eighth * EIGHTH
            hat = OPEN_HAT if (eighth == 7 and bar % 4 == 3) else CLOSED_HAT
            if not last_bar:
                drums.note(CH_DRUMS, tick, EIGHTH, hat, 84 if eighth % 2 == 0 else 58)
            if eighth in (0, 4) and not (last_bar and eighth == 4):
                drums.note(CH_DRUMS, tick, EIGHTH, KICK, 108)
            if eighth in (2, 6) and not last_bar:
                drums.note(CH_DRUMS, tick, EIGHTH, SNARE, 96)
        if bar in (0, 2, 10, 18):
            drums.note(CH_DRUMS, start, BAR // 2, CRASH, 92)
        if bar == 9 or bar == 17:
            drums.note(CH_DRUMS, start + 6 * EIGHTH, EIGHTH, HIGH_TOM, 90)
            drums.note(CH_DRUMS, start + 7 * EIGHTH, EIGHTH, LOW_TOM, 96)
        if last_bar:
            # a snare run into the next pass; its last stroke ends with the bar
            drums.note(CH_DRUMS, start + 2 * EIGHTH, EIGHTH, SNARE, 96)
            for sixteenth in range(8, 16):
                drums.note(CH_DRUMS, start + sixteenth * EIGHTH // 2, EIGHTH // 2, SNARE, 60 + 4 * (sixteenth - 8))
            drums.note(CH_DRUMS, start + 7 * EIGHTH, EIGHTH, KICK, 110)

    for track in tracks.values():
        assert max(tick for tick, _, _ in track.events) <= end
    return midi_file([conductor] + list(tracks.values()))


# ---------------------------------------------------------------------------------------------
# Sound effects

RATE = 22050


def write_wave(path, samples):
    peak = max(abs(s) for s in samples)
    assert peak <= 1.0, peak
    frames = struct.pack('<%dh' % len(samples), *(int(round(s * 32767)) for s in samples))
    with wave.open(path, 'wb') as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def smooth_step(x):
    """0 -> 1 along half a cosine: fades without a corner, so they do not click."""
    if x <= 0:
        return 0.0
    if x >= 1:
        return 1.0
    return 0.5 - 0.5 * math.cos(math.pi * x)


def envelope(t, length, attack, release):
    return smooth_step(t / attack) * smooth_step((length - t) / release)


def normalise(samples, peak):
    top = max(abs(s) for s in samples)
    return [s * peak / top for s in samples]


TOP_HARMONIC = 5000.0


def band_edge(frequency):
    """Fades harmonics out towards the top, so one that crosses it while the pitch glides does not click."""
    return smooth_step((TOP_HARMONIC - frequency) / 800.0)


def formant_gain(frequency, formants):
    return sum(level / (1.0 + ((frequency - centre) / width) ** 2) for centre, width, level in formants)


def voice(duration, pitch_at, formants_at, vibrato_at):
    """A buzzing voice: harmonics of a gliding pitch, shaped by vowel formants."""
    out = []
    phase = 0.0
    for n in range(int(duration * RATE)):
        t = n / RATE
        f0 = pitch_at(t) * (1.0 + vibrato_at(t) * math.sin(2 * math.pi * 5.5 * t))
        phase += 2 * math.pi * f0 / RATE
        formants = formants_at(t)
        value = 0.0
        k = 1
        while k * f0 < TOP_HARMONIC:
            value += formant_gain(k * f0, formants) / k * band_edge(k * f0) * math.sin(k * phase)
            k += 1
        out.append(value)
    return out


def uh_oh():
    """A comic "uh-oh": a short rising "uh", a little break, a long sinking "oh"."""
    uh_formants = [(700, 130, 1.0), (1220, 160, 0.5), (2600, 250, 0.15)]
    oh_formants = [(460, 110, 1.0), (840, 140, 0.55), (2400, 250, 0.1)]
    uh = voice(0.30, lambda t: 392 * (1 + 0.06 * t / 0.30), lambda t: uh_formants, lambda t: 0.0)
    oh = voice(0.58, lambda t: 330 * (1 - 0.22 * min(1.0, t / 0.5)), lambda t: oh_formants,
               lambda t: 0.02 * smooth_step(t / 0.3))
    uh = [s * envelope(i / RATE, 0.30, 0.012, 0.05) for i, s in enumerate(uh)]
    oh = [s * envelope(i / RATE, 0.58, 0.02, 0.16) for i, s in enumerate(oh)]
    gap = [0.0] * int(0.07 * RATE)
    tail = [0.0] * int(0.05 * RATE)
    return normalise(uh + gap + oh + tail, 0.7)


def brass_note(frequency, duration, release, level):
    """A bright brass-like tone that blares at its start and mellows as it is held."""
    out = []
    players = (0.9983, 1.0017)        # two players, a few cents apart
    phases = [0.0] * len(players)
    for n in range(int(duration * RATE)):
        t = n / RATE
        vibrato = 1.0 + 0.006 * smooth_step((t - 0.25) / 0.3) * math.sin(2 * math.pi * 5.2 * t)
        brightness = 0.5 + 0.3 * math.exp(-t / 0.09)
        value = 0.0
        for p, detune in enumerate(players):
            f = frequency * detune * vibrato
            # the phase is summed up, because a pitch that wobbles must not wobble the phase by t * f
            phases[p] += 2 * math.pi * f / RATE
            k = 1
            while k * f < TOP_HARMONIC and k <= 12:
                value += brightness ** (k - 1) / k ** 0.7 * band_edge(k * f) * math.sin(k * phases[p])
                k += 1
        attack = smooth_step(t / 0.025) * (1.0 + 0.25 * math.exp(-t / 0.06))
        out.append(level * value * attack * smooth_step((duration - t) / release))
    return out


def fanfare():
    """A winner's fanfare: a triplet call, a leap, a rising run and a long major chord."""
    def hz(name):
        return 440.0 * 2 ** ((pitch_of(name) - 69) / 12)

    total = 3.1
    mix = [0.0] * int(total * RATE)

    def put(at, samples):
        start = int(at * RATE)
        for i, s in enumerate(samples):
            mix[start + i] += s

    t = 0.0
    for name, length in [('G4', 0.13), ('G4', 0.13), ('G4', 0.13), ('C5', 0.42),
                         ('G4', 0.14), ('C5', 0.14), ('E5', 0.14)]:
        put(t, brass_note(hz(name), length, 0.03, 1.0))
        t += length
    held = total - t - 0.02
    put(t, brass_note(hz('G5'), held, 0.35, 1.0))
    for name in ('C4', 'E4', 'G4', 'C5'):
        put(t, brass_note(hz(name), held, 0.35, 0.45))
    return normalise(mix, 0.7)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'assets')
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, 'kol.mid'), 'wb') as out:
        out.write(compose())
    write_wave(os.path.join(folder, 'crap.wav'), uh_oh())
    write_wave(os.path.join(folder, 'deadnow.wav'), fanfare())


if __name__ == '__main__':
    main()
