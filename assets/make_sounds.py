#!/usr/bin/env python3
"""Makes Parko's two sounds: ring.wav (a telephone's double ring, played in a loop while a
call waits for an answer) and beep.wav (the short warning before the hold time runs out).

Run from the repository root: python3 assets/make_sounds.py. The results are committed under
assets/ and copied into the install image by the build.
"""
import math
import struct
import wave

RATE = 11025


def tone(seconds, frequencies, volume=0.35):
    samples = []
    for i in range(int(seconds * RATE)):
        t = i / RATE
        value = sum(math.sin(2 * math.pi * f * t) for f in frequencies) / len(frequencies)
        # Soft edges: no clicks at the start and end of each burst.
        edge = min(1.0, i / (0.01 * RATE), (seconds * RATE - i) / (0.01 * RATE))
        samples.append(volume * edge * value)
    return samples


def silence(seconds):
    return [0.0] * int(seconds * RATE)


def write(path, samples):
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", int(s * 32767)) for s in samples))


if __name__ == "__main__":
    ring = tone(0.4, [425, 450]) + silence(0.2) + tone(0.4, [425, 450]) + silence(1.0)
    write("assets/ring.wav", ring)
    write("assets/beep.wav", tone(0.15, [880], 0.5))
