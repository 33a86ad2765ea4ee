#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets: small saved games, one small wave image for each
encoding SDL's wave reader knows, so that mutations start inside every decoder, and MIDI files:
the game's kol.mid, the tests' chords and one for each thing real files use."""
import math
import os
import struct
import sys

here = os.path.dirname(os.path.abspath(__file__))
root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "corpus")

saved_games = {
    "good.txt": b"57\r\n12\r\n9\r\n",
    "blanks_and_signs.txt": b" +5 \r\n-3\r\n\t-32768\r\n",
    "lone_cr.txt": b"8\r9\r10",
    "lone_lf.txt": b"30\n4\n5\n",
    "out_of_range.txt": b"30\r\n32768\r\n1\r\n",
    "empty_lines.txt": b"\r\n\r\n\r\n",
    # Lines that are markup: shown by the game, they must stay text.
    "rich_text.txt": b"<img src=stau>\r\n<a href='https://example.org/'>Hier klicken</a>\r\n<h1>3</h1>\r\n",
    "pictures_from_pipes.txt": b"<img src=/dev/zero>\r\n<img width=99999 height=99999 src=stau>\r\n12\r\n",
}


def chunk(tag, body):
    pad = b"\0" if len(body) % 2 else b""
    return tag + struct.pack("<I", len(body)) + body + pad


def riff(fmt, data, extra=b"", declared=None):
    body = b"WAVE" + chunk(b"fmt ", fmt) + extra
    data_chunk = chunk(b"data", data)
    if declared is not None:
        data_chunk = b"data" + struct.pack("<I", declared) + data
    body += data_chunk
    return b"RIFF" + struct.pack("<I", len(body)) + body


def fmt(tag, channels, rate, bits, align, extension=None):
    head = struct.pack("<HHIIHH", tag, channels, rate, rate * align, align, bits)
    if extension is None:
        return head
    return head + struct.pack("<H", len(extension)) + extension


def tone(n, scale):
    return [int(scale * math.sin(i * 0.7)) for i in range(n)]


pcm16 = struct.pack("<16h", *tone(16, 12000))
waves = {
    "pcm8_mono.wav": riff(fmt(1, 1, 8000, 8, 1), bytes(128 + v for v in tone(16, 100))),
    "pcm16_stereo.wav": riff(fmt(1, 2, 44100, 16, 4), pcm16),
    "float32_mono.wav": riff(fmt(3, 1, 22050, 32, 4), struct.pack("<8f", *[v / 20000 for v in tone(8, 12000)])),
    "alaw_mono.wav": riff(fmt(6, 1, 8000, 8, 1, b""), bytes(range(0x50, 0x60))),
    "mulaw_mono.wav": riff(fmt(7, 1, 8000, 8, 1, b""), bytes(range(0x70, 0x80))),
    # IMA ADPCM: one 36-byte block, a 4-byte header and 64 nibbles, 65 samples.
    "ima_adpcm_mono.wav": riff(fmt(0x11, 1, 8000, 4, 36, struct.pack("<H", 65)),
                               struct.pack("<hBB", 0, 10, 0) + bytes((i * 37) & 0xFF for i in range(32))),
    # Microsoft ADPCM: its seven standard predictor pairs, one 23-byte block of 34 samples.
    "ms_adpcm_mono.wav": riff(fmt(2, 1, 8000, 4, 23, struct.pack("<HH", 34, 7) + struct.pack(
        "<14h", 256, 0, 512, -256, 0, 0, 192, 64, 240, 0, 460, -208, 392, -232)),
        struct.pack("<Bhhh", 1, 32, 100, 50) + bytes((i * 53) & 0xFF for i in range(16))),
    # WAVE_FORMAT_EXTENSIBLE with the PCM sub-format.
    "extensible_pcm16.wav": riff(fmt(0xFFFE, 2, 44100, 16, 4, struct.pack("<HI", 16, 3) + struct.pack(
        "<IHH8s", 1, 0, 0x10, bytes.fromhex("800000aa00389b71"))), pcm16),
    "blanks_around_list_chunk.wav": b"   " + riff(fmt(1, 1, 11025, 16, 2), pcm16,
                                                   extra=chunk(b"LIST", b"INFOINAM" + struct.pack("<I", 4) + b"Ton\0")) + b"  ",
    "truncated.wav": riff(fmt(1, 1, 8000, 16, 2), pcm16, declared=4000),
}



def midi_chunk(tag, body):
    return tag + struct.pack(">I", len(body)) + body


def track(events):
    return midi_chunk(b"MTrk", bytes.fromhex(events) + bytes.fromhex("00ff2f00"))


def midi(chunks, tracks=1, division=480):
    return midi_chunk(b"MThd", struct.pack(">HHH", 1 if tracks > 1 else 0, tracks, division)) + chunks


def chord(ticks):
    # C, E and G on the piano at 120 beats a minute, released after `ticks` (two bytes of delta).
    delta = bytes([0x80 | (ticks >> 7), ticks & 0x7F]).hex()
    return midi(track("00ff510307a120" "00c000" "00903c6e" "0090406e" "0090436e" + delta + "803c00" "00804000" "00804300"))


with open(os.path.join(here, "..", "..", "assets", "kol.mid"), "rb") as song:
    kol = song.read()
note = "00903c64" "30803c00"
midis = {
    "kol.mid": kol,
    "chord_eighth.mid": chord(240),
    "chord_two_seconds.mid": chord(1920),
    "running_status.mid": midi(track("00903c64" "103e64" "10803c00" "003e00")),
    "several_tracks.mid": midi(track("00ff51030f4240") + track("00903c64" "20803c00") + track("00c105" "10914064" "20814000"), 3),
    "tempo_change.mid": midi(track("00903c64" "60ff51030f4240" "60803c00")),
    "smpte_division.mid": midi(track("00903c64" "8768803c00"), division=0xE728),
    "unknown_chunks.mid": midi(midi_chunk(b"XFIH", b"\1\2\3") + track(note) + midi_chunk(b"MTrx", b"\0")),
    "tempo_zero.mid": midi(track("00ff5103000000") + track(note), 2),
    "sysex_and_meta.mid": midi(track("00f00543123456f7" "00ff0304546f6e00" "00b00778" "00e00040" "00a03c20" "00d040" + note)),
}

for folder, files in (("savedgame", saved_games), ("wave", waves), ("midi", midis)):
    os.makedirs(os.path.join(root, folder), exist_ok=True)
    for name, content in files.items():
        with open(os.path.join(root, folder, name), "wb") as out:
            out.write(content)
