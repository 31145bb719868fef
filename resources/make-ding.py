#!/usr/bin/env python3
"""Writes DING.WAV, the chime that PELTRA plays when its window comes back.

A two-tone bell: a high note struck first and a lower one a moment later
(a falling major third), each made of a few bell partials with an
exponential decay. Mono, 16-bit PCM, 22050 Hz, about 0.8 s.

The output is deterministic, so running this again reproduces the file
byte for byte. Only the Python standard library is used.

    python3 resources/make-ding.py [output-path]
"""

import math
import os
import struct
import sys
import wave

RATE = 22050
DURATION = 0.8  # seconds
PEAK = 0.6  # of full scale, leaves headroom

# (start in seconds, fundamental in Hz, loudness)
STRIKES = [
    (0.00, 1318.51, 1.00),  # E6
    (0.14, 1046.50, 0.85),  # C6
]

# Bell partials: (frequency ratio, relative amplitude, decay time constant in s).
# The higher partials fade faster, which gives the soft metallic attack.
PARTIALS = [
    (1.000, 1.00, 0.22),
    (2.000, 0.30, 0.12),
    (2.756, 0.12, 0.07),
    (5.404, 0.04, 0.03),
]

ATTACK = 0.004  # seconds of linear fade-in per strike, avoids a click
FADE_OUT = 0.05  # seconds of linear fade-out at the end of the file


def sample(t):
    """Amplitude (unscaled) of the chime at time t in seconds."""
    value = 0.0
    for start, freq, loudness in STRIKES:
        dt = t - start
        if dt < 0.0:
            continue
        attack = min(1.0, dt / ATTACK)
        for ratio, amp, tau in PARTIALS:
            f = freq * ratio
            if f >= RATE / 2:
                continue
            value += loudness * attack * amp * math.exp(-dt / tau) * math.sin(2.0 * math.pi * f * dt)
    return value


def render():
    count = int(RATE * DURATION)
    raw = [sample(i / RATE) for i in range(count)]
    for i in range(count):
        left = (count - 1 - i) / RATE
        if left < FADE_OUT:
            raw[i] *= left / FADE_OUT
    top = max(abs(v) for v in raw) or 1.0
    scale = PEAK * 32767.0 / top
    return [max(-32768, min(32767, int(round(v * scale)))) for v in raw]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "DING.WAV")
    frames = render()
    with wave.open(out, "wb") as wav:
        wav.setnchannels(1)
        wav.setsampwidth(2)
        wav.setframerate(RATE)
        wav.writeframes(struct.pack("<%dh" % len(frames), *frames))
    print("%s: %d samples, %.2f s, %d Hz mono 16-bit" % (out, len(frames), len(frames) / RATE, RATE))


if __name__ == "__main__":
    main()
