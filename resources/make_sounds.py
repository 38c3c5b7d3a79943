#!/usr/bin/env python3
"""Writes the code check's two sounds, our own generated tones:

  chord.wav  a short minor chord: the code differs from the stored one
  tada.wav   two rising notes, then a major chord: the last code matched

16-bit mono PCM at 22050 Hz. Run from this folder; the files are committed.
"""
import math
import struct
import wave

RATE = 22050


def tones(parts, seconds):
    """parts: (start s, length s, [frequencies]); a soft attack and decay."""
    samples = [0.0] * int(RATE * seconds)
    for start, length, freqs in parts:
        first = int(start * RATE)
        count = int(length * RATE)
        for i in range(count):
            t = i / RATE
            envelope = min(1.0, t / 0.01) * math.exp(-3.0 * t / length)
            value = sum(math.sin(2 * math.pi * f * t) for f in freqs) / len(freqs)
            if first + i < len(samples):
                samples[first + i] += 0.45 * envelope * value
    return samples


def write(name, samples):
    with wave.open(name, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(
            struct.pack("<h", int(max(-1.0, min(1.0, s)) * 32767)) for s in samples))


write("chord.wav", tones([(0.0, 0.45, [220.0, 261.63, 311.13])], 0.5))
write("tada.wav", tones([(0.0, 0.12, [392.0]), (0.12, 0.12, [493.88]),
                         (0.24, 0.5, [523.25, 659.25, 783.99])], 0.8))
