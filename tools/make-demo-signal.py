#!/usr/bin/env python3
"""Writes the demo signal the main job renders through the plug-ins.

About six seconds of stereo, 44.1 kHz, 16-bit: a drum pattern (kick, snare,
hats), a sustained minor-seventh pad and a bass line, all synthesised here so
the demo needs no recorded audio. Usage: make-demo-signal.py OUT.wav [seconds]
"""

import math
import random
import struct
import sys
import wave

RATE = 44100
TEMPO = 120.0
BEAT = 60.0 / TEMPO


def note_hz(midi):
    return 440.0 * 2.0 ** ((midi - 69) / 12.0)


def add(buf, start, samples, gain_l, gain_r):
    for i, s in enumerate(samples):
        j = start + i
        if j >= len(buf):
            break
        buf[j][0] += s * gain_l
        buf[j][1] += s * gain_r


def kick():
    n = int(0.35 * RATE)
    out, phase = [], 0.0
    for i in range(n):
        t = i / RATE
        freq = 45.0 + 110.0 * math.exp(-t * 28.0)
        phase += 2.0 * math.pi * freq / RATE
        out.append(math.sin(phase) * math.exp(-t * 9.0))
    return out


def snare(rng):
    n = int(0.22 * RATE)
    out = []
    for i in range(n):
        t = i / RATE
        tone = math.sin(2.0 * math.pi * 190.0 * t) * math.exp(-t * 30.0)
        noise = rng.uniform(-1.0, 1.0) * math.exp(-t * 16.0)
        out.append(0.45 * tone + 0.55 * noise)
    return out


def hat(rng, length):
    n = int(length * RATE)
    out, last = [], 0.0
    for i in range(n):
        t = i / RATE
        white = rng.uniform(-1.0, 1.0)
        out.append((white - last) * 0.5 * math.exp(-t * 60.0))  # crude high pass
        last = white
    return out


def pad(seconds, chord):
    n = int(seconds * RATE)
    out = [0.0] * n
    for k, midi in enumerate(chord):
        base = note_hz(midi)
        for detune in (-0.004, 0.004):
            f = base * (1.0 + detune)
            phase = k * 0.7
            for i in range(n):
                # band-limited-ish saw from a few partials
                phase += 2.0 * math.pi * f / RATE
                s = math.sin(phase) + 0.5 * math.sin(2 * phase) + 0.33 * math.sin(3 * phase)
                out[i] += s
    peak = max(abs(v) for v in out) or 1.0
    fade = int(0.4 * RATE)
    for i in range(n):
        env = min(1.0, i / fade, (n - 1 - i) / fade)
        out[i] = out[i] / peak * env
    return out


def bass_note(midi, length):
    n = int(length * RATE)
    f = note_hz(midi)
    out, phase = [], 0.0
    for i in range(n):
        t = i / RATE
        phase += 2.0 * math.pi * f / RATE
        s = math.sin(phase) + 0.3 * math.sin(2 * phase + 0.5)
        env = min(1.0, t / 0.005) * math.exp(-t * 3.0)
        if i > n - 200:
            env *= (n - i) / 200.0
        out.append(s * env)
    return out


def main():
    if len(sys.argv) < 2:
        sys.stderr.write("usage: make-demo-signal.py OUT.wav [seconds]\n")
        return 2
    path = sys.argv[1]
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 6.0
    rng = random.Random(1234)  # the same demo every time
    total = int(seconds * RATE)
    buf = [[0.0, 0.0] for _ in range(total)]

    k, s = kick(), snare(rng)
    steps = int(seconds / (BEAT / 2))
    for step in range(steps):
        at = int(step * BEAT / 2 * RATE)
        if step % 4 == 0 or step % 8 == 7:
            add(buf, at, k, 0.8, 0.8)
        if step % 4 == 2:
            add(buf, at, s, 0.45, 0.5)
        add(buf, at, hat(rng, 0.06 if step % 2 else 0.12), 0.12, 0.18)

    bars = [(57, [57, 60, 64, 67]), (53, [53, 57, 60, 64]), (55, [55, 59, 62, 65])]
    bar_len = 4 * BEAT
    t = 0.0
    bar = 0
    while t < seconds:
        root, chord = bars[bar % len(bars)]
        length = min(bar_len, seconds - t)
        add(buf, int(t * RATE), pad(length, chord), 0.16, 0.12)
        for eighth, offset in enumerate((0, 0, 12, 0, 7, 0, 10, 12)):
            at = t + eighth * BEAT / 2
            if at >= seconds:
                break
            add(buf, int(at * RATE), bass_note(root - 24 + offset, BEAT / 2 * 0.9), 0.3, 0.3)
        t += bar_len
        bar += 1

    peak = max(max(abs(l), abs(r)) for l, r in buf) or 1.0
    scale = 0.7 / peak  # about -3 dBFS
    frames = bytearray()
    for l, r in buf:
        frames += struct.pack("<hh", int(round(l * scale * 32767)), int(round(r * scale * 32767)))
    with wave.open(path, "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(frames))
    return 0


if __name__ == "__main__":
    sys.exit(main())
