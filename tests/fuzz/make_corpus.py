#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets: small saved games and one small wave image for each
encoding SDL's wave reader knows, so that mutations start inside every decoder."""
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

for folder, files in (("savedgame", saved_games), ("wave", waves)):
    os.makedirs(os.path.join(root, folder), exist_ok=True)
    for name, content in files.items():
        with open(os.path.join(root, folder, name), "wb") as out:
            out.write(content)
