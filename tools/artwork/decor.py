"""Panel furniture shared by all four backgrounds: brushed metal, sections,
screws, knob scales, lamp lenses, meter bezels and the little symbols."""

import math

import cairo

from paint import (EDGE_DARK, PANEL, PANEL_HI, SECTION, SYMBOL, Noise,
                   knob_angle, polar, radial, rounded_rect)


def brushed_metal(ctx, w, h, seed):
    grad = cairo.LinearGradient(0, 0, 0, h)
    grad.add_color_stop_rgb(0, *PANEL_HI)
    grad.add_color_stop_rgb(0.35, *PANEL)
    grad.add_color_stop_rgb(1, (PANEL[0] * 0.8), PANEL[1] * 0.8, PANEL[2] * 0.8)
    ctx.set_source(grad)
    ctx.rectangle(0, 0, w, h)
    ctx.fill()
    noise = Noise(seed)
    ctx.set_line_width(1.0)
    for y in range(h):
        # Long faint horizontal streaks give the brushed grain.
        x = -40 + noise.next() * 40
        while x < w:
            length = 20 + noise.next() * 90
            v = noise.next()
            ctx.set_source_rgba(1, 1, 1, 0.012 + 0.02 * v) if v > 0.5 else \
                ctx.set_source_rgba(0, 0, 0, 0.04 * v)
            ctx.move_to(x, y + 0.5)
            ctx.line_to(x + length, y + 0.5)
            ctx.stroke()
            x += length


def polygon_path(ctx, points, radius=6.0):
    """Closed polygon with rounded corners."""
    n = len(points)
    ctx.new_path()
    for i in range(n):
        p0 = points[i - 1]
        p1 = points[i]
        p2 = points[(i + 1) % n]
        v0 = (p0[0] - p1[0], p0[1] - p1[1])
        v2 = (p2[0] - p1[0], p2[1] - p1[1])
        l0 = math.hypot(*v0)
        l2 = math.hypot(*v2)
        r = min(radius, l0 / 2, l2 / 2)
        a = (p1[0] + v0[0] / l0 * r, p1[1] + v0[1] / l0 * r)
        b = (p1[0] + v2[0] / l2 * r, p1[1] + v2[1] / l2 * r)
        if i == 0:
            ctx.move_to(*a)
        else:
            ctx.line_to(*a)
        ctx.curve_to(p1[0], p1[1], p1[0], p1[1], *b)
    ctx.close_path()


def section(ctx, points, radius=7.0, tint=None):
    """A recessed, slightly lighter plate with a bevelled edge."""
    polygon_path(ctx, points, radius)
    path = ctx.copy_path()
    ctx.set_source_rgba(0, 0, 0, 0.55)
    ctx.set_line_width(2.4)
    ctx.stroke()
    ctx.append_path(path)
    ys = [p[1] for p in points]
    grad = cairo.LinearGradient(0, min(ys), 0, max(ys))
    base = tint or SECTION
    grad.add_color_stop_rgb(0, base[0] * 1.15, base[1] * 1.15, base[2] * 1.15)
    grad.add_color_stop_rgb(1, base[0] * 0.9, base[1] * 0.9, base[2] * 0.9)
    ctx.set_source(grad)
    ctx.fill()
    ctx.save()
    ctx.translate(0.5, 0.5)
    ctx.append_path(path)
    ctx.set_source_rgba(1, 1, 1, 0.07)
    ctx.set_line_width(1.0)
    ctx.stroke()
    ctx.restore()
    ctx.append_path(path)
    ctx.set_source_rgba(0, 0, 0, 0.6)
    ctx.set_line_width(0.8)
    ctx.stroke()


def screw(ctx, x, y, r=3.2, angle=0.6):
    ctx.set_source(radial(x - 1, y - 1, r * 1.6, [
        (0, (0.75, 0.76, 0.78, 1)), (1, (0.25, 0.26, 0.28, 1))]))
    ctx.arc(x, y, r, 0, 2 * math.pi)
    ctx.fill()
    ctx.set_source_rgba(0, 0, 0, 0.7)
    ctx.set_line_width(0.9)
    for a in (angle, angle + math.pi / 2):
        ctx.move_to(x - math.cos(a) * r * 0.7, y - math.sin(a) * r * 0.7)
        ctx.line_to(x + math.cos(a) * r * 0.7, y + math.sin(a) * r * 0.7)
    ctx.stroke()


def knob_scale(ctx, cx, cy, r_in, r_out, ticks=11, detent=False,
               colour=(0.62, 0.64, 0.67)):
    """Tick marks around a knob from 7 to 5 o'clock; a detent knob gets a
    bright centre mark and - / + at its ends."""
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    for k in range(ticks):
        a = knob_angle(k / (ticks - 1))
        major = k in (0, ticks - 1) or (detent and k == ticks // 2)
        x0, y0 = polar(cx, cy, r_in, a)
        x1, y1 = polar(cx, cy, r_out + (0.8 if major else 0), a)
        ctx.set_source_rgb(*colour) if not (detent and k == ticks // 2) else \
            ctx.set_source_rgb(0.93, 0.55, 0.16)
        ctx.set_line_width(0.9 if major else 0.6)
        ctx.move_to(x0, y0)
        ctx.line_to(x1, y1)
        ctx.stroke()
    if detent:
        # - and + beside the knob, clear of anything below it.
        for sign in (-1, 1):
            x, y = cx + sign * (r_out + 3.2), cy + 1.0
            ctx.set_source_rgb(*colour)
            ctx.set_line_width(0.9)
            ctx.move_to(x - 1.6, y)
            ctx.line_to(x + 1.6, y)
            if sign > 0:
                ctx.move_to(x, y - 1.6)
                ctx.line_to(x, y + 1.6)
            ctx.stroke()


def knob_well(ctx, cx, cy, r):
    """Dark ring the knob sits in."""
    ctx.set_source(radial(cx, cy, r, [
        (0.6, (0, 0, 0, 0.55)), (1, (0, 0, 0, 0))]))
    ctx.arc(cx, cy, r, 0, 2 * math.pi)
    ctx.fill()


def lamp_lens(ctx, cx, cy, colour, r=4.0):
    """Unlit lamp: a dark tinted glass in a metal ring; the glow image is
    added on top of it."""
    ctx.set_source_rgb(0.02, 0.02, 0.02)
    ctx.arc(cx, cy, r + 1.6, 0, 2 * math.pi)
    ctx.fill()
    ctx.set_source(radial(cx - 0.8, cy - 0.8, r + 1.6, [
        (0.7, (0.55, 0.56, 0.58, 1)), (1, (0.18, 0.18, 0.2, 1))]))
    ctx.set_line_width(1.0)
    ctx.arc(cx, cy, r + 0.9, 0, 2 * math.pi)
    ctx.stroke()
    red, green, blue = colour
    ctx.set_source(radial(cx - 1.2, cy - 1.3, r * 1.5, [
        (0, (red * 0.55 + 0.15, green * 0.55 + 0.15, blue * 0.55 + 0.15, 1)),
        (0.5, (red * 0.28, green * 0.28, blue * 0.28, 1)),
        (1, (red * 0.1, green * 0.1, blue * 0.1, 1))]))
    ctx.arc(cx, cy, r, 0, 2 * math.pi)
    ctx.fill()


def recess(ctx, x, y, w, h, r=2.0):
    rounded_rect(ctx, x, y, w, h, r)
    ctx.set_source_rgba(0, 0, 0, 0.55)
    ctx.fill()
    rounded_rect(ctx, x + 0.5, y + 0.5, w - 1, h - 1, r)
    ctx.set_source_rgba(1, 1, 1, 0.06)
    ctx.set_line_width(1.0)
    ctx.stroke()


# ------------------------------------------------- modulation symbols --

LFO_COLOUR = (0.45, 0.95, 0.60)
ADSR_COLOUR = (1.0, 0.82, 0.30)
ENV_COLOUR = (0.45, 0.82, 1.0)

# 3 x 5 dots for the little LFO numbers.
_MINI = {1: ["010", "110", "010", "010", "111"],
         2: ["110", "001", "010", "100", "111"]}


def mini_digit(ctx, x, y, d, colour):
    ctx.set_source_rgb(*colour)
    for r, row in enumerate(_MINI[d]):
        for c, bit in enumerate(row):
            if bit == "1":
                ctx.rectangle(x + c, y + r, 1, 1)
    ctx.fill()


def mod_symbol(ctx, kind, cx, top):
    """One of the five source symbols (about 9 x 7 pixels) centred on cx."""
    ctx.set_line_width(1.0)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    mid = top + 3.5
    if kind in ("lfo1", "lfo2"):
        ctx.set_source_rgb(*LFO_COLOUR)
        x0 = cx - 4.0
        for s in range(13):
            p = s / 12
            ctx.line_to(x0 + 5 * p, mid - 2.6 * math.sin(2 * math.pi * p))
        ctx.stroke()
        mini_digit(ctx, math.floor(cx + 1.5), round(top + 2),
                   1 if kind == "lfo1" else 2, LFO_COLOUR)
    elif kind == "adsr":
        ctx.set_source_rgb(*ADSR_COLOUR)
        ctx.move_to(cx - 4.5, top + 7)
        ctx.line_to(cx - 2.5, top)
        ctx.line_to(cx - 0.5, top + 3)
        ctx.line_to(cx + 2.5, top + 3)
        ctx.line_to(cx + 4.5, top + 7)
        ctx.stroke()
    elif kind == "none":
        ctx.set_source_rgb(*SYMBOL)
        ctx.arc(cx, mid, 2.6, 0, 2 * math.pi)
        ctx.stroke()
        ctx.move_to(cx - 3.4, mid + 3.4)
        ctx.line_to(cx + 3.4, mid - 3.4)
        ctx.stroke()
    elif kind == "env":
        ctx.set_source_rgb(*ENV_COLOUR)
        for k, height in enumerate((6.0, 4.6, 3.4, 2.2)):
            x = cx - 3.5 + k * 2.2
            ctx.move_to(x, top + 7)
            ctx.line_to(x, top + 7 - height)
        ctx.stroke()
        ctx.move_to(cx - 4.5, top + 0.6)
        ctx.curve_to(cx - 1, top + 0.4, cx + 2, top + 3, cx + 4.5, top + 6.5)
        ctx.stroke()


MOD_ORDER = ("lfo1", "adsr", "none", "env", "lfo2")


def mod_symbols(ctx, x, y, w, h):
    """Symbols under a five-position lever at (x, y), one per position."""
    for k, kind in enumerate(MOD_ORDER):
        cx = x + 6 + k * (w - 12) / 4
        mod_symbol(ctx, kind, cx, y + h + 1.5)


def low_pass_icon(ctx, x, y, w, h, colour=SYMBOL):
    ctx.set_source_rgb(*colour)
    ctx.set_line_width(1.0)
    ctx.move_to(x, y + 2)
    ctx.line_to(x + w * 0.45, y + 2)
    ctx.curve_to(x + w * 0.65, y + 2, x + w * 0.62, y - 0.5, x + w * 0.72, y + 1)
    ctx.curve_to(x + w * 0.8, y + 3, x + w * 0.85, y + h, x + w, y + h)
    ctx.stroke()


def band_pass_icon(ctx, x, y, w, h, colour=SYMBOL):
    ctx.set_source_rgb(*colour)
    ctx.set_line_width(1.0)
    ctx.move_to(x, y + h)
    ctx.curve_to(x + w * 0.35, y + h, x + w * 0.4, y, x + w * 0.5, y)
    ctx.curve_to(x + w * 0.6, y, x + w * 0.65, y + h, x + w, y + h)
    ctx.stroke()


def bow_tie(ctx, cx, cy, colour=(0.93, 0.55, 0.16)):
    """The language symbol: two triangles meeting at a knot."""
    ctx.set_source_rgb(*colour)
    ctx.move_to(cx - 1.5, cy)
    ctx.line_to(cx - 9, cy - 5)
    ctx.line_to(cx - 9, cy + 5)
    ctx.close_path()
    ctx.move_to(cx + 1.5, cy)
    ctx.line_to(cx + 9, cy - 5)
    ctx.line_to(cx + 9, cy + 5)
    ctx.close_path()
    ctx.fill()
    ctx.arc(cx, cy, 2.1, 0, 2 * math.pi)
    ctx.fill()
    ctx.set_source_rgba(0, 0, 0, 0.35)
    ctx.set_line_width(0.6)
    ctx.move_to(cx - 7.5, cy - 3)
    ctx.line_to(cx - 3, cy)
    ctx.line_to(cx - 7.5, cy + 3)
    ctx.move_to(cx + 7.5, cy - 3)
    ctx.line_to(cx + 3, cy)
    ctx.line_to(cx + 7.5, cy + 3)
    ctx.stroke()


def edge_shade(ctx, w, h):
    """Darkened border and a thin highlight: the panel's rim."""
    ctx.set_source_rgba(*EDGE_DARK, 1)
    ctx.set_line_width(2.0)
    ctx.rectangle(1, 1, w - 2, h - 2)
    ctx.stroke()
    ctx.set_source_rgba(1, 1, 1, 0.08)
    ctx.set_line_width(1.0)
    ctx.rectangle(2.5, 2.5, w - 5, h - 5)
    ctx.stroke()
