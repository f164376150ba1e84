#!/usr/bin/env python3
"""Writes the demo's MIDI theme: a short melody over held chords, type 0."""
import struct
import sys

TICKS = 480  # per quarter note


def var_len(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.insert(0, (n & 0x7F) | 0x80)
        n >>= 7
    return bytes(out)


def main(path):
    events = []  # (tick, bytes)
    events.append((0, bytes([0xFF, 0x51, 0x03]) + (600000).to_bytes(3, "big")))  # 100 bpm
    events.append((0, bytes([0xC0, 0])))    # piano, melody
    events.append((0, bytes([0xC1, 48])))   # strings, chords
    melody = [72, 74, 76, 79, 76, 74, 72, 67, 69, 72, 74, 72]
    t = 0
    for note in melody:
        events.append((t, bytes([0x90, note, 90])))
        events.append((t + TICKS - 40, bytes([0x80, note, 0])))
        t += TICKS
    chords = [(48, 55, 64), (53, 57, 65), (55, 59, 67)]
    t = 0
    for i in range(4):
        chord = chords[i % len(chords)]
        for n in chord:
            events.append((t, bytes([0x91, n, 60])))
        for n in chord:
            events.append((t + 3 * TICKS - 20, bytes([0x81, n, 0])))
        t += 3 * TICKS
    end = max(tick for tick, _ in events)
    events.sort(key=lambda e: e[0])
    track = b""
    last = 0
    for tick, data in events:
        track += var_len(tick - last) + data
        last = tick
    track += var_len(end - last) + bytes([0xFF, 0x2F, 0x00])
    with open(path, "wb") as f:
        f.write(b"MThd" + struct.pack(">IHHH", 6, 0, 1, TICKS))
        f.write(b"MTrk" + struct.pack(">I", len(track)) + track)


if __name__ == "__main__":
    main(sys.argv[1])
