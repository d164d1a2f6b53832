#!/usr/bin/env python3
"""Synthesises the game's seven sounds: tile clicks, the shuffle and the pass.

Run it from anywhere; it rewrites the .wav files beside itself. The noise is
seeded, so the files come out the same every time.
"""

import math
import random
import struct
import wave
from pathlib import Path

RATE = 22050
HERE = Path(__file__).resolve().parent


def silence(seconds):
    return [0.0] * int(RATE * seconds)


def click(seconds, pitch, decay, noise, rng, brightness=1.0):
    """A tile striking wood: a short burst of noise over a ringing tone."""
    out = []
    phase = 0.0
    for n in range(int(RATE * seconds)):
        t = n / RATE
        envelope = math.exp(-t * decay)
        attack = min(1.0, n / 12.0)
        phase += 2 * math.pi * pitch / RATE
        tone = math.sin(phase) + 0.35 * brightness * math.sin(2.7 * phase)
        burst = (rng.random() * 2 - 1) * math.exp(-t * decay * 3)
        out.append(attack * envelope * (0.6 * tone + noise * burst))
    return out


def mix(into, sound, at_seconds, gain=1.0):
    start = int(at_seconds * RATE)
    if len(into) < start + len(sound):
        into.extend([0.0] * (start + len(sound) - len(into)))
    for i, value in enumerate(sound):
        into[start + i] += gain * value
    return into


def write(name, samples, peak=0.8):
    top = max(1e-9, max(abs(s) for s in samples))
    scale = peak * 32767 / top
    frames = b"".join(struct.pack("<h", int(round(s * scale))) for s in samples)
    with wave.open(str(HERE / name), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def main():
    rng = random.Random(2026)
    write("clic1.wav", click(0.09, 2350, 55, 0.7, rng))            # a tile laid
    write("clic4.wav", click(0.09, 1950, 50, 0.8, rng, 0.8))       # a tile laid, another ring
    write("clic2.wav", click(0.12, 1250, 38, 0.5, rng, 0.5), 0.6)  # a tile going back
    write("clic3.wav", click(0.04, 3100, 120, 0.4, rng), 0.5)      # a command
    write("clic5.wav", click(0.05, 2900, 90, 0.6, rng), 0.55)      # a tile taken or turned

    shuffle = silence(0.05)
    at = 0.02
    while at < 0.42:
        mix(shuffle, click(0.05, rng.uniform(1600, 3200), rng.uniform(60, 110), 0.9, rng), at,
            rng.uniform(0.3, 1.0))
        at += rng.uniform(0.012, 0.035)
    write("mistura.wav", shuffle, 0.7)                              # tiles stirred face down

    knock = mix(mix(silence(0.3), click(0.12, 520, 30, 0.3, rng, 0.2), 0.0),
                click(0.14, 410, 26, 0.3, rng, 0.2), 0.11, 0.8)
    write("passou.wav", knock, 0.7)                                 # a seat passes


if __name__ == "__main__":
    main()
