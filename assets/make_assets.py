#!/usr/bin/env python3
"""Writes Dorvane's three stored files: picture.jpg, music.wav and dorvane.ico.

Everything is drawn or synthesised here from fixed numbers, so every run writes
the same bytes. Only the standard library is used, plus ImageMagick's `convert`
for the JPEG encoding. Run it from anywhere:

    python3 assets/make_assets.py

The files land next to this script. Each one is checked after it is written
(header fields, sizes), and the run stops with an AssertionError if a check fails.
"""

import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
from array import array

HERE = os.path.dirname(os.path.abspath(__file__))


# ---------------------------------------------------------------------------
# Shared drawing helpers: signed distances (negative inside) and colour mixing.
# Edges are smoothed by turning the distance into a coverage of the pixel.
# ---------------------------------------------------------------------------

def clamp01(v):
    return 0.0 if v < 0.0 else 1.0 if v > 1.0 else v


def coverage(distance, softness=1.0):
    """Share of a pixel covered by a shape whose edge is `distance` pixels away."""
    return clamp01(0.5 - distance / softness)


def mix(base, top, amount):
    return tuple(b + (t - b) * amount for b, t in zip(base, top))


def add_light(base, light, amount):
    return tuple(b + l * amount for b, l in zip(base, light))


def lerp_stops(stops, t):
    """Colour at position t along a gradient given as [(position, colour), ...]."""
    t = clamp01(t)
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0))
    return stops[-1][1]


def dist_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    h = clamp01(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy))
    return math.hypot(px - ax - dx * h, py - ay - dy * h)


def capsule(px, py, ax, ay, bx, by, r):
    return dist_segment(px, py, ax, ay, bx, by) - r


def circle(px, py, cx, cy, r):
    return math.hypot(px - cx, py - cy) - r


def ellipse(px, py, cx, cy, rx, ry, angle):
    """Close enough to a true distance for small, nearly round note heads."""
    c, s = math.cos(angle), math.sin(angle)
    x, y = px - cx, py - cy
    u, v = (x * c + y * s) / rx, (-x * s + y * c) / ry
    return (math.hypot(u, v) - 1.0) * min(rx, ry)


def box(px, py, x0, y0, x1, y1):
    qx = abs(px - (x0 + x1) / 2.0) - (x1 - x0) / 2.0
    qy = abs(py - (y0 + y1) / 2.0) - (y1 - y0) / 2.0
    return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0)


def polygon(px, py, points):
    """Distance to a closed polygon given as [(x, y), ...]."""
    best = (px - points[0][0]) ** 2 + (py - points[0][1]) ** 2
    sign = 1.0
    for i, (vx, vy) in enumerate(points):
        ux, uy = points[i - 1]
        ex, ey = ux - vx, uy - vy
        wx, wy = px - vx, py - vy
        h = clamp01((wx * ex + wy * ey) / (ex * ex + ey * ey))
        best = min(best, (wx - ex * h) ** 2 + (wy - ey * h) ** 2)
        crossing = (py >= vy, py < uy, ex * wy > ey * wx)
        if all(crossing) or not any(crossing):
            sign = -sign
    return sign * math.sqrt(best)


def rounded_square(px, py, x0, y0, x1, y1, r):
    return box(px, py, x0 + r, y0 + r, x1 - r, y1 - r) - r


def eighth_note(px, py, hx, hy, size):
    """A single eighth note: tilted head, stem up from its right side, curved flag."""
    head = ellipse(px, py, hx, hy, 1.25 * size, 0.9 * size, -0.35)
    sx = hx + 1.05 * size
    top = hy - 5.2 * size
    stem = box(px, py, sx - 0.22 * size, top, sx + 0.22 * size, hy - 0.2 * size)
    flag = min(capsule(px, py, sx, top, sx + 1.3 * size, top + 1.6 * size, 0.3 * size),
               capsule(px, py, sx + 1.3 * size, top + 1.6 * size, sx + 1.1 * size, top + 3.0 * size,
                       0.26 * size))
    return min(head, stem, flag)


def beamed_notes(px, py, ax, ay, bx, by, size):
    """Two eighth notes joined by a beam, heads at (ax, ay) and (bx, by)."""
    heads = min(ellipse(px, py, ax, ay, 1.25 * size, 0.9 * size, -0.35),
                ellipse(px, py, bx, by, 1.25 * size, 0.9 * size, -0.35))
    sax, sbx = ax + 1.05 * size, bx + 1.05 * size
    tay, tby = ay - 5.0 * size, by - 5.0 * size
    stems = min(box(px, py, sax - 0.22 * size, tay, sax + 0.22 * size, ay),
                box(px, py, sbx - 0.22 * size, tby, sbx + 0.22 * size, by))
    beam = capsule(px, py, sax, tay + 0.35 * size, sbx, tby + 0.35 * size, 0.45 * size)
    return min(heads, stems, beam)


# ---------------------------------------------------------------------------
# picture.jpg: a dancer silhouette under a spotlight on a sunset gradient, with
# music notes and sparkles, over a glowing dance floor. The program shows it
# squeezed to 128 x 120, so the shapes are large and the colours strong.
# ---------------------------------------------------------------------------

PICTURE_SIZE = 200
PICTURE_TARGET_BYTES = 6242
FLOOR_TOP = 172.0

SKY = [(0.00, (0.13, 0.04, 0.34)), (0.45, (0.52, 0.09, 0.55)),
       (0.78, (0.93, 0.25, 0.45)), (1.00, (1.00, 0.62, 0.28))]
SILHOUETTE = (0.08, 0.02, 0.14)
RIM = (1.00, 0.55, 0.85)
NOTE_INK = (1.00, 0.97, 0.80)
NOTE_GLOW = (1.00, 0.78, 0.35)
TILE_COLOURS = [(0.20, 0.90, 1.00), (1.00, 0.30, 0.70), (1.00, 0.85, 0.25), (0.40, 1.00, 0.50)]
SPOT_X, SPOT_Y = 86.0, 98.0

# Limbs as (from, to, radius); the pose is a dancer mid-step, one arm flung up.
DANCER_LIMBS = [
    ((85, 62), (82, 84), 12.0),     # chest
    ((82, 84), (80, 104), 9.5),     # waist and hips
    ((86, 50), (85, 62), 4.5),      # neck
    ((93, 64), (106, 46), 4.6),     # raised upper arm
    ((106, 46), (117, 25), 4.0),    # raised forearm
    ((75, 66), (58, 78), 4.6),      # outstretched upper arm
    ((58, 78), (40, 72), 4.0),      # outstretched forearm
    ((76, 104), (72, 138), 7.2),    # standing thigh
    ((72, 138), (69, 166), 5.6),    # standing shin
    ((69, 166), (60, 170), 3.6),    # standing foot
    ((86, 104), (108, 126), 7.2),   # kicking thigh
    ((108, 126), (124, 152), 5.6),  # kicking shin
    ((124, 152), (132, 155), 3.4),  # kicking foot
    ((80, 35), (71, 39), 4.4),      # ponytail, swinging out behind
    ((71, 39), (64, 47), 3.2),
    ((64, 47), (61, 55), 2.0),
]
# A flared skirt over the hips, its corners rounded off by 1.5 pixels.
DANCER_SKIRT = [(75, 90), (89, 90), (105, 113), (61, 118)]
DANCER_HEAD = (87.0, 40.0, 10.5)
DANCER_BOUNDS = (24.0, 22.0, 140.0, 176.0)

SPARKLES = [(30.0, 112.0, 1.0), (150.0, 150.0, 0.8), (188.0, 58.0, 0.9),
            (20.0, 22.0, 0.7), (135.0, 12.0, 0.6), (176.0, 160.0, 0.6)]


def dancer_distance(px, py):
    x0, y0, x1, y1 = DANCER_BOUNDS
    if px < x0 or px > x1 or py < y0 or py > y1:
        return 20.0
    hx, hy, hr = DANCER_HEAD
    d = circle(px, py, hx, hy, hr)
    for (ax, ay), (bx, by), r in DANCER_LIMBS:
        d = min(d, capsule(px, py, ax, ay, bx, by, r))
    return min(d, polygon(px, py, DANCER_SKIRT) - 1.5)


def notes_distance(px, py):
    return min(eighth_note(px, py, 150.0, 80.0, 6.5),
               beamed_notes(px, py, 155.0, 132.0, 180.0, 122.0, 5.5),
               eighth_note(px, py, 30.0, 66.0, 4.0),
               eighth_note(px, py, 178.0, 36.0, 3.6))


def sparkle_light(px, py):
    total = 0.0
    for sx, sy, strength in SPARKLES:
        dx, dy = abs(px - sx), abs(py - sy)
        if dx > 12 or dy > 12:
            continue
        core = math.exp(-(dx * dx + dy * dy) / 3.0)
        cross = math.exp(-dx / 0.8 - dy / 4.0) + math.exp(-dy / 0.8 - dx / 4.0)
        total += strength * (core + 0.8 * cross)
    return total


def floor_colour(px, py):
    base = (0.10, 0.03, 0.17)
    row = 0 if py < 186.0 else 1
    column = int(px // 25.0)
    x0, x1 = column * 25.0 + 1.5, column * 25.0 + 23.5
    y0, y1 = (FLOOR_TOP + 1.5, 184.5) if row == 0 else (187.5, 198.5)
    tile = TILE_COLOURS[(column + 2 * row) % 4]
    glow = 0.55 + 0.35 * ((column * 5 + row * 3) % 4) / 3.0
    inside = coverage(box(px, py, x0, y0, x1, y1))
    colour = mix(base, tuple(c * glow for c in tile), inside)
    # The dancer's shadow falls on the floor under the feet.
    shade = clamp01(1.0 - math.hypot((px - 92.0) / 46.0, (py - 174.0) / 7.0))
    return mix(colour, base, 0.8 * shade)


def sky_colour(px, py):
    colour = lerp_stops(SKY, py / FLOOR_TOP)
    dx, dy = px - SPOT_X, py - SPOT_Y
    distance = math.hypot(dx, dy)
    spot = clamp01(1.0 - distance / 95.0) ** 2
    rays = (0.5 + 0.5 * math.cos(11.0 * math.atan2(dy, dx))) ** 6
    colour = add_light(colour, (1.00, 0.85, 0.60), 0.42 * spot + 0.16 * rays * clamp01(1.0 - distance / 150.0))
    return colour


def picture_pixel(px, py):
    colour = sky_colour(px, py) if py < FLOOR_TOP else floor_colour(px, py)
    if abs(py - FLOOR_TOP) < 1.0:
        colour = add_light(colour, (1.0, 0.6, 0.9), 0.5 * (1.0 - abs(py - FLOOR_TOP)))

    notes = notes_distance(px, py)
    colour = add_light(colour, NOTE_GLOW, 0.35 * math.exp(-max(notes, 0.0) / 3.0))
    colour = mix(colour, NOTE_INK, coverage(notes))

    dancer = dancer_distance(px, py)
    colour = mix(colour, RIM, coverage(dancer) * 0.9)
    colour = mix(colour, SILHOUETTE, coverage(dancer + 1.6))

    colour = add_light(colour, (1.0, 1.0, 0.9), sparkle_light(px, py))
    return colour


def draw_picture_ppm():
    size = PICTURE_SIZE
    pixels = bytearray()
    for y in range(size):
        for x in range(size):
            for channel in picture_pixel(x + 0.5, y + 0.5):
                pixels.append(int(round(255.0 * clamp01(channel))))
    return b"P6\n%d %d\n255\n" % (size, size) + bytes(pixels)


def encode_jpeg(ppm_path, jpeg_path, quality):
    subprocess.run(["convert", ppm_path, "-strip", "-interlace", "none",
                    "-sampling-factor", "2x2,1x1,1x1", "-density", "96",
                    "-units", "PixelsPerInch", "-quality", str(quality), jpeg_path],
                   check=True)
    with open(jpeg_path, "rb") as f:
        return f.read()


def jpeg_segments(data):
    """(marker, payload) of every segment up to the start of the scan."""
    assert data[:2] == b"\xff\xd8", "no JPEG start-of-image"
    pos = 2
    segments = []
    while True:
        assert data[pos] == 0xFF, "broken JPEG segment chain at %d" % pos
        marker = data[pos + 1]
        length = struct.unpack(">H", data[pos + 2:pos + 4])[0]
        segments.append((marker, data[pos + 4:pos + 2 + length]))
        if marker == 0xDA:
            return segments
        pos += 2 + length


def check_jpeg(data):
    assert data[-2:] == b"\xff\xd9", "no JPEG end-of-image"
    segments = jpeg_segments(data)
    marker, app0 = segments[0]
    assert marker == 0xE0 and app0[:5] == b"JFIF\x00", "first segment is not the JFIF header"
    version, units, x_density, y_density, thumb_w, thumb_h = struct.unpack(">HBHHBB", app0[5:14])
    assert (version, units, x_density, y_density) == (0x0101, 1, 96, 96), app0
    assert (thumb_w, thumb_h) == (0, 0) and len(app0) == 14, "JFIF header carries a thumbnail"

    markers = [m for m, _ in segments]
    assert markers.count(0xE0) == 1, "more than one APP0"
    extra = [m for m in markers if 0xE1 <= m <= 0xEF or m == 0xFE]
    assert not extra, "metadata segments left in: %r" % extra
    frames = [m for m in markers if 0xC0 <= m <= 0xCF and m not in (0xC4, 0xC8, 0xCC)]
    assert frames == [0xC0], "not a single baseline frame: %r" % frames

    sof = dict(segments)[0xC0]
    precision, height, width, components = struct.unpack(">BHHB", sof[:6])
    assert (precision, width, height, components) == (8, PICTURE_SIZE, PICTURE_SIZE, 3), sof[:6]
    ids = [sof[6 + 3 * i] for i in range(3)]
    assert ids == [1, 2, 3], "components are not Y, Cb, Cr: %r" % ids


def make_picture(path):
    work = tempfile.mkdtemp(prefix="dorvane-picture-")
    try:
        ppm_path = os.path.join(work, "picture.ppm")
        with open(ppm_path, "wb") as f:
            f.write(draw_picture_ppm())
        # The quality is the one whose file size comes closest to the wanted size.
        best = None
        for quality in range(20, 96):
            data = encode_jpeg(ppm_path, os.path.join(work, "q%d.jpg" % quality), quality)
            score = abs(len(data) - PICTURE_TARGET_BYTES)
            if best is None or score < best[0]:
                best = (score, quality, data)
        _, quality, data = best
    finally:
        shutil.rmtree(work)
    check_jpeg(data)
    with open(path, "wb") as f:
        f.write(data)
    return "quality %d" % quality


# ---------------------------------------------------------------------------
# music.wav: 32 bars of a light pop tune in C major, 4/4, about 108 beats per
# minute, filling the loop exactly. Intro (4 bars) - A (8) - A' (8) - B (8) -
# outro (4); the outro ends on G major so the intro's C major follows as a
# cadence when the program loops the sound.
# ---------------------------------------------------------------------------

RATE = 11025
FRAMES = 785654
BEATS = 128
SAMPLES_PER_BEAT = FRAMES / BEATS
TABLE_SIZE = 8192
TABLE_MASK = TABLE_SIZE - 1
EDGE_FADE = 55          # 5 ms at both ends of the file
PEAK = 0.45             # loudest sample as a share of full scale

# Chord per bar: pad voicing (kept close for smooth voice leading) and bass root.
CHORDS = {
    "C": ((60, 64, 67), 48), "G": ((59, 62, 67), 43), "Am": ((60, 64, 69), 45),
    "F": ((60, 65, 69), 41), "Dm": ((62, 65, 69), 50),
}
PROGRESSION = (
    ["C", "Am", "F", "G"]                                   # intro
    + ["C", "G", "Am", "F", "C", "G", "F", "G"]             # A
    + ["C", "G", "Am", "F", "C", "G", "F", "C"]             # A'
    + ["Am", "F", "C", "G", "Am", "F", "Dm", "G"]           # B
    + ["C", "Am", "F", "G"]                                 # outro
)
assert len(PROGRESSION) * 4 == BEATS

NOTE_NUMBERS = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def note_number(name):
    return 12 * (int(name[-1]) + 1) + NOTE_NUMBERS[name[0]]


def phrase(text):
    """'E5:1 G5:.5 -:1' -> [(note number or None for a rest, beats), ...]."""
    notes = []
    for word in text.split():
        name, beats = word.split(":")
        notes.append((None if name == "-" else note_number(name), float(beats)))
    return notes


MELODY_A = phrase("""
    G4:.5 C5:.5 E5:1 D5:.5 C5:.5 E5:1
    D5:1.5 C5:.5 B4:1 G4:1
    A4:.5 C5:.5 E5:1 G5:1 E5:1
    F5:1.5 E5:.5 C5:1 A4:1
    G4:.5 C5:.5 E5:1 G5:1.5 E5:.5
    D5:1 G5:1 F5:.5 E5:.5 D5:1
    C5:1 A4:1 C5:.5 D5:.5 F5:1
    E5:1 D5:2 B4:1
""")
MELODY_A2 = phrase("""
    G4:.5 C5:.5 E5:1 D5:.5 C5:.5 E5:1
    D5:1.5 C5:.5 B4:1 G4:1
    A4:.5 C5:.5 E5:1 G5:1 E5:1
    F5:1.5 G5:.5 A5:1 F5:1
    G4:.5 C5:.5 E5:1 G5:1 A5:1
    G5:1.5 F5:.5 D5:1 B4:1
    A4:.5 C5:.5 F5:1 E5:1 D5:1
    C5:3 -:1
""")
MELODY_B = phrase("""
    A5:1.5 G5:.5 E5:2
    F5:1 A5:1 G5:1 F5:1
    E5:1.5 D5:.5 C5:1 E5:1
    D5:2 B4:1 D5:1
    C6:1.5 B5:.5 A5:2
    A5:1 G5:1 F5:1 A5:1
    F5:1 E5:1 D5:1 F5:1
    E5:1 D5:1 B4:2
""")
MELODY_OUTRO = phrase("""
    E5:2 G5:2
    E5:2 C5:2
    A4:1 C5:1 F5:2
    E5:1.5 D5:.5 B4:1 G4:1
""")
# (first bar, bars, notes) of each melody section.
MELODY = [(4, 8, MELODY_A), (12, 8, MELODY_A2), (20, 8, MELODY_B), (28, 4, MELODY_OUTRO)]

# Arpeggio in eighths over the pad chord an octave up, its lowest note also two octaves up;
# the steps index those four notes. It plays in the intro and from A' to the end.
ARPEGGIO_STEPS = (0, 1, 2, 3, 2, 1, 2, 3)
ARPEGGIO_BARS = set(range(0, 4)) | set(range(12, 32))
# Bass per bar: (beat, length in beats, interval above the root).
BASS_PATTERN = ((0.0, 1.4, 0), (1.5, 0.45, 0), (2.0, 0.9, 7), (3.0, 0.9, 12))


def frequency(note):
    return 440.0 * 2.0 ** ((note - 69) / 12.0)


def beat_sample(beat):
    return int(round(beat * SAMPLES_PER_BEAT))


def wave_table(harmonics):
    """One cycle of a sum of sines; harmonics is [(multiple, weight), ...]."""
    table = [0.0] * TABLE_SIZE
    for multiple, weight in harmonics:
        step = 2.0 * math.pi * multiple / TABLE_SIZE
        for i in range(TABLE_SIZE):
            table[i] += weight * math.sin(step * i)
    peak = max(abs(v) for v in table)
    return [v / peak for v in table]


LEAD_TABLE = wave_table([(1, 1.0), (2, 0.32), (3, 0.14), (4, 0.05)])
PAD_TABLE = wave_table([(1, 1.0), (3, 1 / 9.0), (5, 1 / 25.0), (7, 1 / 49.0)])
PLUCK_TABLE = wave_table([(1, 1.0), (2, 0.25), (3, 0.20), (5, 0.06)])
BASS_TABLE = wave_table([(1, 1.0), (2, 0.55), (3, 0.30), (4, 0.12)])


class Envelope:
    """Attack, decay, sustain level and release, times in seconds."""

    def __init__(self, attack, decay, sustain, release):
        self.attack = max(1, int(attack * RATE))
        self.decay = max(1, int(decay * RATE))
        self.sustain = sustain
        self.release = max(1, int(release * RATE))

    def levels(self, gate):
        a, d, s = self.attack, self.decay, self.sustain
        held = [i / a if i < a else
                1.0 - (1.0 - s) * (i - a) / d if i < a + d else s
                for i in range(gate)]
        start = held[-1] if held else 0.0
        r = self.release
        # A squared fall sounds smoother than a straight line and ends at zero.
        return held + [start * (1.0 - i / r) ** 2 for i in range(1, r + 1)]


def fit_gate(start, gate, envelope):
    """Shortens a note so it has died away before the end of the loop."""
    last = FRAMES - EDGE_FADE
    return max(0, min(gate, last - envelope.release - start))


def add_samples(bus, start, samples):
    end = start + len(samples)
    bus[start:end] = array("d", map(float.__add__, bus[start:end], samples))


def add_tone(bus, start, gate, note, table, gain, envelope, vibrato=0.0, detune=0.0):
    gate = fit_gate(start, gate, envelope)
    if gate <= 0:
        return
    levels = envelope.levels(gate)
    step = frequency(note) * (1.0 + detune) * TABLE_SIZE / RATE
    if vibrato:
        # Phase wobble of about 5.5 Hz, faded in so short notes stay plain.
        depth = vibrato * TABLE_SIZE * frequency(note) / (2.0 * math.pi * 5.5)
        w = 2.0 * math.pi * 5.5 / RATE
        ramp = 0.3 * RATE
        phases = [i * step + depth * min(1.0, i / ramp) * math.sin(w * i) for i in range(len(levels))]
    else:
        phases = [i * step for i in range(len(levels))]
    samples = [gain * e * table[int(p) & TABLE_MASK] for p, e in zip(phases, levels)]
    add_samples(bus, start, samples)


class Noise:
    """xorshift32: the same hiss on every run, independent of the random module."""

    def __init__(self):
        self.state = 0x2545F491

    def next(self):
        x = self.state
        x ^= (x << 13) & 0xFFFFFFFF
        x ^= x >> 17
        x ^= (x << 5) & 0xFFFFFFFF
        self.state = x
        return x / 2147483648.0 - 1.0

    def burst(self, count):
        return [self.next() for _ in range(count)]


def kick(length):
    samples, phase = [], 0.0
    for i in range(length):
        t = i / RATE
        phase += 2.0 * math.pi * (46.0 + 80.0 * math.exp(-t / 0.03)) / RATE
        level = min(1.0, i / 20.0) * math.exp(-t / 0.16) * (1.0 - i / length)
        samples.append(level * math.sin(phase))
    return samples


def snare(noise, length):
    hiss = noise.burst(length + 1)
    samples = []
    for i in range(length):
        t = i / RATE
        fade = min(1.0, i / 15.0) * (1.0 - i / length)
        body = 0.6 * math.exp(-t / 0.05) * math.sin(2.0 * math.pi * 185.0 * t)
        rattle = 0.5 * (hiss[i] + hiss[i + 1]) * math.exp(-t / 0.09)
        samples.append(fade * (body + rattle))
    return samples


def hat(noise, length):
    hiss = noise.burst(length + 1)
    return [min(1.0, i / 8.0) * (1.0 - i / length) * math.exp(-i / (0.022 * RATE)) * 0.5 * (hiss[i + 1] - hiss[i])
            for i in range(length)]


def add_drum(bus, beat, samples, gain):
    start = beat_sample(beat)
    room = FRAMES - EDGE_FADE - start
    if room <= 0:
        return
    samples = samples[:room]
    if len(samples) == room:
        # Cut short by the loop end: ramp it out rather than stop dead.
        tail = min(len(samples), 80)
        for i in range(tail):
            samples[-1 - i] *= i / tail
    add_samples(bus, start, [gain * v for v in samples])


def new_bus():
    return array("d", bytes(8 * FRAMES))


def compose():
    buses = {name: new_bus() for name in ("lead", "pad_left", "pad_right", "pluck", "bass", "kick", "snare", "hat")}

    pad = Envelope(0.25, 0.6, 0.75, 0.45)
    for bar, chord in enumerate(PROGRESSION):
        start = beat_sample(4 * bar)
        gate = beat_sample(4 * bar + 3.85) - start
        for note in CHORDS[chord][0]:
            add_tone(buses["pad_left"], start, gate, note, PAD_TABLE, 0.16, pad, detune=-0.0017)
            add_tone(buses["pad_right"], start, gate, note, PAD_TABLE, 0.16, pad, detune=+0.0017)

    bass = Envelope(0.008, 0.25, 0.6, 0.08)
    for bar, chord in enumerate(PROGRESSION):
        root = CHORDS[chord][1]
        for beat, length, interval in BASS_PATTERN:
            start = beat_sample(4 * bar + beat)
            gate = beat_sample(4 * bar + beat + length) - start
            add_tone(buses["bass"], start, gate, root + interval, BASS_TABLE, 0.55, bass)

    pluck = Envelope(0.004, 0.22, 0.0, 0.05)
    for bar, chord in enumerate(PROGRESSION):
        if bar not in ARPEGGIO_BARS:
            continue
        low, middle, high = (n + 12 for n in CHORDS[chord][0])
        tones = (low, middle, high, low + 12)
        for step, index in enumerate(ARPEGGIO_STEPS):
            start = beat_sample(4 * bar + 0.5 * step)
            gate = beat_sample(4 * bar + 0.5 * step + 0.4) - start
            add_tone(buses["pluck"], start, gate, tones[index], PLUCK_TABLE, 0.16, pluck)

    lead = Envelope(0.03, 0.15, 0.8, 0.12)
    for first_bar, bars, notes in MELODY:
        beat = 4 * first_bar
        for note, length in notes:
            if note is not None:
                start = beat_sample(beat)
                gate = beat_sample(beat + length * 0.92) - start
                add_tone(buses["lead"], start, gate, note, LEAD_TABLE, 0.42, lead, vibrato=0.004)
            beat += length
        assert beat == 4 * (first_bar + bars), "melody section at bar %d has the wrong length" % first_bar

    noise = Noise()
    kick_sound = kick(int(0.35 * RATE))
    for bar in range(len(PROGRESSION)):
        for beat in (0, 2):
            add_drum(buses["kick"], 4 * bar + beat, kick_sound, 0.8)
        if bar >= 2:
            for beat in (1, 3):
                add_drum(buses["snare"], 4 * bar + beat, snare(noise, int(0.2 * RATE)), 0.38)
        for eighth in range(8):
            accent = 1.0 if eighth % 2 else 0.6
            add_drum(buses["hat"], 4 * bar + 0.5 * eighth, hat(noise, int(0.07 * RATE)), 0.5 * accent)
    # Short fills lead into the B section and back round to the start.
    for bar in (19, 27, 31):
        for sixteenth in (0.25, 0.5, 0.75):
            add_drum(buses["snare"], 4 * bar + 3 + sixteenth, snare(noise, int(0.12 * RATE)), 0.22 + 0.08 * sixteenth)
    return buses


def echo(bus, delay):
    """The bus shifted later by `delay` samples, wrapping round the loop."""
    return bus[-delay:] + bus[:-delay]


def render_music():
    buses = compose()
    delay = beat_sample(0.75)
    lead = buses["lead"]
    lead_echo_left, lead_echo_right = echo(lead, delay), echo(lead, 2 * delay)

    # Pan: bass, kick and snare in the middle, pad spread wide, pluck left, hat right.
    sources = [
        (lead, 0.95, 1.05), (lead_echo_left, 0.30, 0.08), (lead_echo_right, 0.06, 0.22),
        (buses["pad_left"], 0.85, 0.25), (buses["pad_right"], 0.25, 0.85),
        (buses["pluck"], 0.80, 0.40), (buses["bass"], 0.90, 0.90),
        (buses["kick"], 1.00, 1.00), (buses["snare"], 0.80, 0.90), (buses["hat"], 0.45, 0.75),
    ]
    left = [0.0] * FRAMES
    right = [0.0] * FRAMES
    for samples, gain_left, gain_right in sources:
        left = [l + gain_left * s for l, s in zip(left, samples)]
        right = [r + gain_right * s for r, s in zip(right, samples)]

    for i in range(EDGE_FADE):
        fade = 0.5 - 0.5 * math.cos(math.pi * i / EDGE_FADE)
        left[i] *= fade
        right[i] *= fade
        left[-1 - i] *= fade
        right[-1 - i] *= fade

    peak = max(max(left), -min(left), max(right), -min(right))
    scale = PEAK * 32767.0 / peak
    frames = array("h", bytes(4 * FRAMES))
    frames[0::2] = array("h", [int(round(v * scale)) for v in left])
    frames[1::2] = array("h", [int(round(v * scale)) for v in right])
    if sys.byteorder == "big":
        frames.byteswap()
    return frames.tobytes()


def wav_bytes(data):
    channels, bits = 2, 16
    block = channels * bits // 8
    fmt = struct.pack("<HHIIHH", 1, channels, RATE, RATE * block, block, bits)
    return (b"RIFF" + struct.pack("<I", 4 + 8 + len(fmt) + 8 + len(data)) + b"WAVE"
            + b"fmt " + struct.pack("<I", len(fmt)) + fmt
            + b"data" + struct.pack("<I", len(data)) + data)


def check_wav(data):
    assert len(data) == 3142660, len(data)
    assert data[:4] == b"RIFF" and struct.unpack("<I", data[4:8])[0] == 3142652 and data[8:12] == b"WAVE"
    assert data[12:16] == b"fmt " and struct.unpack("<I", data[16:20])[0] == 16
    assert struct.unpack("<HHIIHH", data[20:36]) == (1, 2, 11025, 44100, 4, 16)
    assert data[36:40] == b"data" and struct.unpack("<I", data[40:44])[0] == 3142616
    samples = array("h", data[44:])
    if sys.byteorder == "big":
        samples.byteswap()
    assert max(abs(v) for v in samples) < 0.5 * 32768, "too loud"
    assert all(abs(v) < 64 for v in samples[:4] + samples[-4:]), "the loop does not start and end near zero"
    first_second = samples[:2 * RATE]
    rms = math.sqrt(sum(v * v for v in first_second) / len(first_second))
    assert rms > 1000, "the first second is nearly silent (rms %.0f)" % rms


def make_music(path):
    data = wav_bytes(render_music())
    check_wav(data)
    with open(path, "wb") as f:
        f.write(data)
    return "%.2f s, %.1f beats per minute" % (FRAMES / RATE, BEATS * 60.0 * RATE / FRAMES)


# ---------------------------------------------------------------------------
# dorvane.ico: one 32 x 32, 24-bit image, a pair of white beamed notes on a
# magenta-to-orange rounded square. Pixels outside the rounded corners are
# marked transparent in the mask (and black in the colour rows, as the mask
# rules for icons require).
# ---------------------------------------------------------------------------

ICON_SIZE = 32
ICON_TOP, ICON_BOTTOM = (0.95, 0.20, 0.60), (1.00, 0.55, 0.15)
ICON_EDGE = (0.45, 0.10, 0.35)


def icon_pixel(px, py):
    """(colour, opaque) of the icon at a pixel centre."""
    square = rounded_square(px, py, 0.5, 0.5, 31.5, 31.5, 6.5)
    if square > 0.0:
        return (0.0, 0.0, 0.0), False
    colour = mix(ICON_TOP, ICON_BOTTOM, py / ICON_SIZE)
    # A soft sheen on the upper half and a darker outline make it read as a tile.
    colour = add_light(colour, (1.0, 1.0, 1.0), 0.18 * clamp01(1.0 - py / 14.0))
    colour = mix(colour, ICON_EDGE, coverage(-square - 1.2))
    colour = mix(colour, ICON_EDGE, 0.5 * coverage(square + 0.5))
    notes = beamed_notes(px, py, 10.0, 23.0, 20.5, 20.0, 3.0)
    colour = mix(colour, (0.35, 0.05, 0.25), 0.5 * coverage(notes - 0.8) * (1.0 - coverage(notes)))
    colour = mix(colour, (1.0, 1.0, 1.0), coverage(notes))
    return colour, True


def icon_bytes():
    size = ICON_SIZE
    colour_rows, mask_rows = [], []
    for y in range(size):
        row, mask = bytearray(), 0
        for x in range(size):
            (r, g, b), opaque = icon_pixel(x + 0.5, y + 0.5)
            row += bytes(int(round(255.0 * clamp01(c))) for c in (b, g, r))
            if not opaque:
                mask |= 1 << (31 - x)
        colour_rows.append(bytes(row))
        mask_rows.append(struct.pack(">I", mask))
    # Both bitmaps are stored bottom row first.
    pixels = b"".join(reversed(colour_rows)) + b"".join(reversed(mask_rows))
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 24, 0, 0, 0, 0, 0, 0)
    image = header + pixels
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(image), 6 + 16)
    return directory + entry + image


def check_icon(data):
    assert len(data) == 22 + 3240, len(data)
    assert struct.unpack("<HHH", data[:6]) == (0, 1, 1)
    assert struct.unpack("<BBBBHHII", data[6:22]) == (32, 32, 0, 0, 1, 24, 3240, 22)
    header = struct.unpack("<IiiHHIIiiII", data[22:62])
    assert header[:6] == (40, 32, 64, 1, 24, 0), header


def make_icon(path):
    data = icon_bytes()
    check_icon(data)
    with open(path, "wb") as f:
        f.write(data)
    return "%d bytes" % len(data)


def main():
    for name, make in (("picture.jpg", make_picture), ("dorvane.ico", make_icon), ("music.wav", make_music)):
        path = os.path.join(HERE, name)
        detail = make(path)
        print("%-12s %8d bytes  (%s)" % (name, os.path.getsize(path), detail))


if __name__ == "__main__":
    main()
