"""Background of the multi-effect editor (790 x 350)."""

import math

import cairo

import decor
import layout
from controls import NEEDLE_A0, NEEDLE_A1, meter_angle
from paint import (ACCENT, LABEL, LABEL_DIM, new_surface, polar, radial,
                   rounded_rect, text)

W, H = 790, 350
METER_C = (397, 106)

SECTIONS = {
    "filter": [(3, 3), (246, 3), (246, 134), (3, 134)],
    "drive": [(3, 138), (246, 138), (246, 200), (200, 200), (200, 243),
              (3, 243)],
    "chorus": [(3, 247), (196, 247), (196, 204), (282, 204), (282, 236),
               (313, 236), (313, 347), (3, 347)],
    "follower": [(250, 18), (314, 18), (314, 232), (286, 232), (286, 200),
                 (250, 200)],
    "gate": [(318, 188), (470, 188), (470, 347), (318, 347)],
    "lfo": [(478, 20), (548, 20), (548, 34), (574, 34), (574, 222),
            (468, 222), (468, 162), (478, 152)],
    "output": [(470, 226), (652, 226), (652, 347), (470, 347)],
    "phaser": [(552, 3), (787, 3), (787, 347), (656, 347), (656, 242),
               (578, 242), (578, 32), (552, 32)],
}

LAMP_COLOURS = {102: (1.0, 0.2, 0.1), 103: (1.0, 0.8, 0.2),
                104: (0.2, 1.0, 0.3)}

S = 6.6  # label size

# (text, x, baseline y, align, size, colour)
LABELS = [
    # filter
    ("RES", 61, 45, "center", S, LABEL),
    ("HPF", 28, 89, "center", S, LABEL),
    ("CUTOFF", 189.5, 58, "center", S, LABEL),
    ("MOD", 116, 61, "center", 5.6, LABEL_DIM),
    # drive
    ("DRIVE", 155.5, 197, "center", S, LABEL),
    ("F/BACK", 211.5, 173, "center", S, LABEL),
    ("MOD", 62, 179, "center", 5.6, LABEL_DIM),
    # chorus
    ("DELAY", 224.5, 256, "center", S, LABEL),
    ("WET", 195, 315, "center", S, LABEL),
    ("SPREAD", 76, 308, "center", S, LABEL),
    ("MOD", 138, 261, "center", 5.6, LABEL_DIM),
    ("MOD", 272, 261, "center", 5.6, LABEL_DIM),
    ("MONO", 245, 343, "right", 5.6, LABEL_DIM),
    ("STEREO", 280, 343, "left", 5.6, LABEL_DIM),
    # envelope follower
    ("CEILING", 283, 27, "center", S, LABEL),
    ("SPEED", 267, 117, "center", S, LABEL),
    ("FLOOR", 277, 161, "center", S, LABEL),
    ("SIDE CHAIN", 301.5, 195, "center", 5.8, LABEL),
    # gate
    ("HYS", 362, 198, "center", S, LABEL),
    ("THRESH", 442, 238, "left", S, LABEL),
    ("HOLD", 344, 262, "center", S, LABEL),
    ("A", 360, 343, "center", S, LABEL),
    ("D", 386, 343, "center", S, LABEL),
    ("S", 411, 343, "center", S, LABEL),
    ("R", 436, 343, "center", S, LABEL),
    # lfo
    ("RATE", 497, 50, "right", S, LABEL),
    ("RATE", 497, 149, "right", S, LABEL),
    ("SYNC", 542.5, 107, "center", 5.8, LABEL),
    ("SYNC", 479.5, 205, "center", 5.8, LABEL),
    # output
    ("LEVEL", 503, 308, "center", S, LABEL),
    ("LIMIT", 620, 307, "center", S, LABEL),
    ("MOD", 565, 260, "center", 5.6, LABEL_DIM),
    # phaser
    ("MONO", 686, 16, "right", 5.6, LABEL_DIM),
    ("STEREO", 721, 16, "left", 5.6, LABEL_DIM),
    ("FREQUENCY 1", 601, 64, "center", S, LABEL),
    ("FEEDBACK", 676, 80, "center", S, LABEL),
    ("F2", 676, 105, "center", S, LABEL),
    ("F3", 753, 64, "center", S, LABEL),
    ("WET", 762, 278, "center", S, LABEL),
    ("MOD", 602, 145, "center", 5.6, LABEL_DIM),
    ("MOD", 678, 186, "center", 5.6, LABEL_DIM),
    ("MOD", 755, 145, "center", 5.6, LABEL_DIM),
    ("MOD", 703, 281, "center", 5.6, LABEL_DIM),
]

# Section names, lower case, in the accent colour.
NAMES = [
    ("filter", 10, 16, "left"),
    ("drive", 30, 152, "left"),
    ("chorus", 10, 262, "left"),
    ("follower", 283, 70, "center"),
    ("gate", 324, 199, "left"),
    ("adsr", 333, 305, "center"),
    ("lfo", 560, 130, "center"),
    ("output", 560, 339, "center"),
    ("phaser", 608, 15, "left"),
]


def _housing(ctx):
    cx, cy = METER_C
    ctx.save()
    ctx.rectangle(0, 0, W, 156)
    ctx.clip()
    ctx.set_source(radial(cx + 1, cy + 3, 84, [
        (0.9, (0, 0, 0, 0.6)), (1, (0, 0, 0, 0))]))
    ctx.arc(cx + 1, cy + 3, 84, 0, 2 * math.pi)
    ctx.fill()
    grad = cairo.LinearGradient(cx, cy - 79, cx, cy + 79)
    grad.add_color_stop_rgb(0, 0.42, 0.43, 0.45)
    grad.add_color_stop_rgb(0.5, 0.16, 0.16, 0.17)
    grad.add_color_stop_rgb(1, 0.30, 0.31, 0.33)
    ctx.set_source(grad)
    ctx.arc(cx, cy, 79, 0, 2 * math.pi)
    ctx.fill()
    ctx.set_source_rgb(0.035, 0.037, 0.04)
    ctx.arc(cx, cy, 76.2, 0, 2 * math.pi)
    ctx.fill()
    # Outer track: dim dots the gate meter's marker runs over, with ticks.
    for k in range(41):
        a = meter_angle(k / 40)
        x, y = polar(cx, cy, 70, a)
        ctx.set_source_rgb(0.22, 0.10, 0.04)
        ctx.arc(x, y, 1.25, 0, 2 * math.pi)
        ctx.fill()
    ctx.set_line_width(0.8)
    ctx.set_source_rgba(1, 1, 1, 0.22)
    ctx.arc(cx, cy, 61.5, NEEDLE_A0 - math.pi / 2, NEEDLE_A1 - math.pi / 2)
    ctx.stroke()
    # Inner band of the follower meter.
    ctx.set_source_rgb(0.02, 0.02, 0.022)
    ctx.arc(cx, cy, 53, 0, 2 * math.pi)
    ctx.fill()
    ctx.set_source_rgba(1, 1, 1, 0.12)
    ctx.set_line_width(0.8)
    ctx.arc(cx, cy, 53, 0, 2 * math.pi)
    ctx.stroke()
    ctx.set_source_rgb(0.06, 0.065, 0.07)
    ctx.arc(cx, cy, 29, 0, 2 * math.pi)
    ctx.fill()
    ctx.set_source_rgba(1, 1, 1, 0.10)
    ctx.arc(cx, cy, 29, 0, 2 * math.pi)
    ctx.stroke()
    decor.knob_well(ctx, 395, 105, 23)
    decor.knob_scale(ctx, 395, 105, 21.0, 23.5, ticks=13, detent=True)
    ctx.restore()
    # Logo plate between the ends of the rings (the manual link).
    x0, y0, x1, y1 = layout.MULTI_LINK
    rounded_rect(ctx, x0, y0 + 1, x1 - x0, y1 - y0 - 1, 2.5)
    ctx.set_source_rgb(0.015, 0.015, 0.017)
    ctx.fill()
    text(ctx, "QUORVEX", (x0 + x1) / 2, y1 - 3.5, size=7.4, colour=ACCENT,
         condensed=True)


def _header(ctx):
    rounded_rect(ctx, 252, -6, 294, 20, 5)
    ctx.set_source_rgb(0.03, 0.03, 0.035)
    ctx.fill_preserve()
    ctx.set_source_rgba(1, 1, 1, 0.1)
    ctx.set_line_width(1.0)
    ctx.stroke()
    box = text(ctx, "QUORVEX", 262, 10, size=9, colour=ACCENT, align="left")
    text(ctx, "modulation multi-effect", box[2] + 6, 10, size=7.0,
         colour=LABEL_DIM, align="left", bold=False)
    text(ctx, "V1.", 424.5, 10, size=8.2, colour=(0.90, 0.90, 0.86),
         align="right")
    ctx.set_source_rgb(0.90, 0.90, 0.86)
    ctx.rectangle(432, 9, 1, 1)  # the dot between the two digits
    ctx.fill()
    text(ctx, "filter \u00b7 drive \u00b7 phaser \u00b7 chorus", 538, 10,
         size=6.4, colour=LABEL_DIM, align="right", bold=False)


def _widget_furniture(ctx):
    for x, y, image_id, role in layout.MULTI:
        w, h = layout.size_of(image_id)
        cx, cy = x + w / 2, y + h / 2
        if role == "lamp":
            decor.lamp_lens(ctx, cx, cy, LAMP_COLOURS[image_id])
        elif role in ("knob", "detent"):
            r = {106: 10.2, 107: 6.6, 108: 12.9}[image_id]
            decor.knob_well(ctx, cx, cy, r + 3.5)
            decor.knob_scale(ctx, cx, cy, r + 2.0, r + 3.8,
                             ticks=11 if r > 7 else 7, detent=role == "detent")
        elif role == "modsw":
            decor.mod_symbols(ctx, x, y, w, h)
        elif role == "fader":
            decor.recess(ctx, cx - 2, y + 3, 4, h - 6, 1.5)
            ctx.set_source_rgba(1, 1, 1, 0.28)
            ctx.set_line_width(0.7)
            for k in range(6):
                ty = y + 6 + k * (h - 12) / 5
                ctx.move_to(x - 1, ty)
                ctx.line_to(x + 2, ty)
                ctx.move_to(x + w - 2, ty)
                ctx.line_to(x + w + 1, ty)
            ctx.stroke()
        elif role in ("toggle", "switch", "shape", "button"):
            decor.recess(ctx, x - 1, y - 1, w + 2, h + 2, 3)


def _extras(ctx):
    # Filter shape icons either side of the shape switch.
    decor.low_pass_icon(ctx, 166, 8, 12, 8)
    decor.band_pass_icon(ctx, 231, 8, 12, 8)
    # LFO badges.
    for n, (bx, by) in ((1, (482, 27)), (2, (482, 128))):
        rounded_rect(ctx, bx, by, 11, 11, 2.5)
        ctx.set_source_rgb(*ACCENT)
        ctx.fill()
        text(ctx, str(n), bx + 5.5, by + 9, size=8.5, colour=(0.08, 0.08, 0.08),
             shadow=False)
    # Needle colour keys next to FLOOR and CEILING.
    for (x, y), colour in (((262, 158), (1, 0, 0)), ((267, 24), (1, 1, 0))):
        ctx.set_source_rgb(*colour)
        ctx.arc(x, y, 1.6, 0, 2 * math.pi)
        ctx.fill()


def render():
    surface, ctx = new_surface(W, H, rgb=True)
    decor.brushed_metal(ctx, W, H, seed=101)
    for points in SECTIONS.values():
        decor.section(ctx, points)
    _housing(ctx)
    _header(ctx)
    _widget_furniture(ctx)
    _extras(ctx)
    for s, x, y, align, size, colour in LABELS:
        text(ctx, s, x, y, size=size, colour=colour, align=align)
    for s, x, y, align in NAMES:
        text(ctx, s, x, y, size=8.2, colour=ACCENT, align=align)
    decor.edge_shade(ctx, W, H)
    surface.flush()
    return surface
