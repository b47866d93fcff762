"""Painters of the control strips: knobs, levers, switches, faders, meters,
lamps, digits and the LFO shape display. Each returns a cairo surface."""

import math

import cairo

from paint import (ACCENT, knob_angle, new_surface, polar, radial,
                   rounded_rect, set_font, strip, text)


# ---------------------------------------------------------------- knobs --

def _shadow(ctx, cx, cy, r):
    ctx.set_source(radial(cx + 0.6, cy + 1.3, r + 2.2,
                          [(0.0, (0, 0, 0, 0.7)), (r / (r + 2.2), (0, 0, 0, 0.55)),
                           (1.0, (0, 0, 0, 0))]))
    ctx.arc(cx + 0.6, cy + 1.3, r + 2.2, 0, 2 * math.pi)
    ctx.fill()


def _disc(ctx, cx, cy, r, top, bottom):
    grad = cairo.LinearGradient(cx - r * 0.4, cy - r, cx + r * 0.4, cy + r)
    grad.add_color_stop_rgb(0, *top)
    grad.add_color_stop_rgb(1, *bottom)
    ctx.set_source(grad)
    ctx.arc(cx, cy, r, 0, 2 * math.pi)
    ctx.fill()


def _rim(ctx, cx, cy, r, width=0.8, alpha=0.55):
    grad = cairo.LinearGradient(cx, cy - r, cx, cy + r)
    grad.add_color_stop_rgba(0, 1, 1, 1, alpha)
    grad.add_color_stop_rgba(0.5, 1, 1, 1, 0.05)
    grad.add_color_stop_rgba(1, 0, 0, 0, 0.6)
    ctx.set_source(grad)
    ctx.set_line_width(width)
    ctx.arc(cx, cy, r - width / 2, 0, 2 * math.pi)
    ctx.stroke()


def _pointer(ctx, cx, cy, r0, r1, angle, width, colour=(0.97, 0.96, 0.92)):
    x0, y0 = polar(cx, cy, r0, angle)
    x1, y1 = polar(cx, cy, r1, angle)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.set_source_rgba(0, 0, 0, 0.5)
    ctx.set_line_width(width + 1.0)
    ctx.move_to(x0, y0)
    ctx.line_to(x1, y1)
    ctx.stroke()
    ctx.set_source_rgb(*colour)
    ctx.set_line_width(width)
    ctx.move_to(x0, y0)
    ctx.line_to(x1, y1)
    ctx.stroke()


def _knurl(ctx, cx, cy, r, angle, count, depth):
    ctx.set_line_width(0.7)
    for k in range(count):
        a = angle + 2 * math.pi * k / count
        x0, y0 = polar(cx, cy, r - depth, a)
        x1, y1 = polar(cx, cy, r - 0.3, a)
        # Ridges facing the light (upper left) are brighter.
        lit = 0.5 + 0.5 * math.cos(a + math.pi / 4)
        ctx.set_source_rgba(1, 1, 1, 0.06 + 0.22 * lit)
        ctx.move_to(x0, y0)
        ctx.line_to(x1, y1)
        ctx.stroke()


def knob_small(ctx, w, h, angle):
    """Black cap with a silver skirt and a white pointer line (24 x 23)."""
    cx, cy, r = w / 2, h / 2, 10.2
    _shadow(ctx, cx, cy, r)
    _disc(ctx, cx, cy, r, (0.62, 0.63, 0.66), (0.22, 0.23, 0.25))
    _rim(ctx, cx, cy, r)
    _disc(ctx, cx, cy, r - 2.2, (0.20, 0.21, 0.23), (0.05, 0.05, 0.06))
    ctx.set_source(radial(cx - 2, cy - 3, r, [(0, (1, 1, 1, 0.16)),
                                              (1, (1, 1, 1, 0))]))
    ctx.arc(cx, cy, r - 2.2, 0, 2 * math.pi)
    ctx.fill()
    _pointer(ctx, cx, cy, 2.5, r - 1.0, angle, 1.5)


def knob_tiny(ctx, w, h, angle):
    """Small black knob with an aluminium ring (16 x 15)."""
    cx, cy, r = w / 2, h / 2, 6.6
    _shadow(ctx, cx, cy, r)
    _disc(ctx, cx, cy, r, (0.58, 0.59, 0.62), (0.20, 0.21, 0.23))
    _disc(ctx, cx, cy, r - 1.5, (0.19, 0.20, 0.22), (0.04, 0.04, 0.05))
    _rim(ctx, cx, cy, r, 0.6, 0.5)
    _pointer(ctx, cx, cy, 1.5, r - 0.6, angle, 1.3)


def knob_big(ctx, w, h, angle):
    """Knurled black knob with an amber pointer (31 x 28)."""
    cx, cy, r = w / 2, h / 2, 12.9
    _shadow(ctx, cx, cy, r)
    _disc(ctx, cx, cy, r, (0.28, 0.29, 0.31), (0.06, 0.06, 0.07))
    _knurl(ctx, cx, cy, r, angle, 36, 2.6)
    _rim(ctx, cx, cy, r, 0.8, 0.45)
    _disc(ctx, cx, cy, r - 3.4, (0.30, 0.31, 0.33), (0.07, 0.07, 0.08))
    ctx.set_source(radial(cx - 3, cy - 4, r, [(0, (1, 1, 1, 0.18)),
                                              (1, (1, 1, 1, 0))]))
    ctx.arc(cx, cy, r - 3.4, 0, 2 * math.pi)
    ctx.fill()
    _pointer(ctx, cx, cy, 3.5, r - 0.8, angle, 2.0, (1.0, 0.66, 0.25))


def knob_trim(ctx, w, h, angle):
    """Large knob: a turning knurled skirt with a pointer around a fixed
    centre cap printed TRIM (38 x 38)."""
    cx, cy, r = w / 2, h / 2, 17.0
    _shadow(ctx, cx, cy, r)
    _disc(ctx, cx, cy, r, (0.34, 0.35, 0.37), (0.07, 0.07, 0.08))
    _knurl(ctx, cx, cy, r, angle, 44, 3.0)
    _rim(ctx, cx, cy, r, 0.9, 0.5)
    _pointer(ctx, cx, cy, r - 5.5, r - 0.8, angle, 2.2, (1.0, 0.66, 0.25))
    rc = r - 6.0
    _disc(ctx, cx, cy, rc, (0.24, 0.25, 0.27), (0.05, 0.05, 0.06))
    _rim(ctx, cx, cy, rc, 0.7, 0.35)
    ctx.set_source(radial(cx - 3, cy - 4, rc * 1.4, [(0, (1, 1, 1, 0.15)),
                                                     (1, (1, 1, 1, 0))]))
    ctx.arc(cx, cy, rc, 0, 2 * math.pi)
    ctx.fill()
    text(ctx, "TRIM", cx, cy + 2.4, size=6.4, colour=(0.86, 0.86, 0.84),
         condensed=True)


def knob_strip(painter, w, h, frames):
    return strip(w, h, frames,
                 lambda ctx, i, t: painter(ctx, w, h, knob_angle(t)))


# ---------------------------------------------------------------- lamps --

def glow(colour):
    """30 x 31 glow on pure black: the lamp widget adds it onto the panel,
    so black means 'no change'."""
    w, h = 30, 31
    surface, ctx = new_surface(w, h, rgb=True)
    cx, cy = w / 2, h / 2
    r, g, b = colour
    ctx.set_source(radial(cx, cy, 14.5, [
        (0.00, (1.0, 1.0, 0.95, 1)),
        (0.14, (min(1, r + 0.35), min(1, g + 0.35), min(1, b + 0.3), 1)),
        (0.32, (r, g, b, 0.85)),
        (0.62, (r, g, b, 0.28)),
        (1.00, (r, g, b, 0.0)),
    ]))
    ctx.arc(cx, cy, 14.5, 0, 2 * math.pi)
    ctx.fill()
    surface.flush()
    return surface


# --------------------------------------------------------------- levers --

def _bushing(ctx, cx, cy, r):
    _disc(ctx, cx, cy, r, (0.78, 0.79, 0.81), (0.30, 0.31, 0.33))
    ctx.set_source_rgba(0, 0, 0, 0.8)
    ctx.arc(cx, cy, r * 0.55, 0, 2 * math.pi)
    ctx.fill()


def _bat(ctx, x0, y0, x1, y1, width):
    """Chrome lever from the bushing (x0, y0) to its ball tip (x1, y1)."""
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.set_source_rgba(0, 0, 0, 0.45)
    ctx.set_line_width(width + 1.2)
    ctx.move_to(x0 + 0.8, y0 + 1.0)
    ctx.line_to(x1 + 0.8, y1 + 1.0)
    ctx.stroke()
    grad = cairo.LinearGradient(x0 - width, y0, x0 + width, y0)
    grad.add_color_stop_rgb(0, 0.55, 0.56, 0.58)
    grad.add_color_stop_rgb(0.45, 0.97, 0.97, 0.98)
    grad.add_color_stop_rgb(1, 0.42, 0.43, 0.45)
    ctx.set_source(grad)
    ctx.set_line_width(width)
    ctx.move_to(x0, y0)
    ctx.line_to(x1, y1)
    ctx.stroke()
    tip = width * 0.85
    ctx.set_source(radial(x1 - tip * 0.35, y1 - tip * 0.4, tip * 1.3, [
        (0, (1, 1, 1, 1)), (0.5, (0.75, 0.76, 0.78, 1)),
        (1, (0.35, 0.36, 0.38, 1))]))
    ctx.arc(x1, y1, tip, 0, 2 * math.pi)
    ctx.fill()


def toggle(w, h, horizontal):
    """Two-frame lever toggle: frame 1 off (down / left), frame 2 on (up /
    right)."""
    def frame(ctx, i, t):
        on = i == 1
        if horizontal:
            cx, cy = w / 2, h / 2
            r = min(h * 0.42, 5.5)
            reach = w / 2 - r * 0.9 - 0.5
            tx = cx + (reach if on else -reach)
            ty = cy - h * 0.08
            plate_w, plate_h = w - 2, h - 2
        else:
            cx, cy = w / 2, h / 2
            r = min(w * 0.42, 5.5)
            reach = h / 2 - r * 0.9 - 0.5
            tx = cx
            ty = cy + (-reach if on else reach)
            plate_w, plate_h = w - 2, h - 2
        rounded_rect(ctx, 1, 1, plate_w, plate_h, 2.0)
        ctx.set_source_rgba(0.02, 0.02, 0.025, 0.85)
        ctx.fill()
        rounded_rect(ctx, 1.5, 1.5, plate_w - 1, plate_h - 1, 1.8)
        ctx.set_source_rgba(1, 1, 1, 0.10)
        ctx.set_line_width(1.0)
        ctx.stroke()
        _bushing(ctx, cx, cy, r)
        _bat(ctx, cx, cy, tx, ty, max(2.2, r * 0.62))
    return strip(w, h, 2, frame)


def mod_lever(w, h, mirrored):
    """Five-position lever in a gate, left to right; the mirrored artwork
    leans the other way and takes its light from the other side."""
    def frame(ctx, i, t):
        xs = [6 + k * (w - 12) / 4 for k in range(5)]
        slot_y = h * 0.62
        rounded_rect(ctx, 1, slot_y - 3.5, w - 2, 7, 3.5)
        ctx.set_source_rgba(0.0, 0.0, 0.0, 0.85)
        ctx.fill()
        rounded_rect(ctx, 1.5, slot_y - 3.0, w - 3, 6, 3.0)
        ctx.set_source_rgba(1, 1, 1, 0.12)
        ctx.set_line_width(0.8)
        ctx.stroke()
        for x in xs:  # detent notches
            ctx.set_source_rgba(1, 1, 1, 0.35)
            ctx.rectangle(x - 0.5, slot_y + 4.5, 1, 2.0)
            ctx.fill()
        x = xs[i]
        lean = (-1 if mirrored else 1) * (i - 2) * 1.2
        _bat(ctx, x, slot_y, x + lean, 4.2, 3.2)
    return strip(w, h, 5, frame)


def slide_switch(w, h, positions):
    """Slide switch: a cap in a slot, leftmost position first."""
    def frame(ctx, i, t):
        rounded_rect(ctx, 0.5, 0.5, w - 1, h - 1, 2.5)
        ctx.set_source_rgb(0.02, 0.02, 0.025)
        ctx.fill_preserve()
        ctx.set_source_rgba(1, 1, 1, 0.16)
        ctx.set_line_width(1.0)
        ctx.stroke()
        cap_w = max(9.0, (w - 4) / positions * 1.15)
        x = 2 + (w - 4 - cap_w) * t
        rounded_rect(ctx, x, 2, cap_w, h - 4, 1.5)
        grad = cairo.LinearGradient(0, 2, 0, h - 2)
        grad.add_color_stop_rgb(0, 0.86, 0.86, 0.88)
        grad.add_color_stop_rgb(1, 0.40, 0.41, 0.43)
        ctx.set_source(grad)
        ctx.fill()
        ctx.set_source_rgba(0, 0, 0, 0.45)
        ctx.set_line_width(0.8)
        for k in range(3):  # grip ridges
            gx = x + cap_w / 2 + (k - 1) * 2.0
            ctx.move_to(gx, 4)
            ctx.line_to(gx, h - 4)
        ctx.stroke()
    return strip(w, h, positions, frame)


def fader(w, h, frames):
    """Fader cap only (the slot is on the panel): bottom at frame 1."""
    def frame(ctx, i, t):
        cap_h = 9.0
        y = (h - 3 - cap_h) * (1 - t) + 2
        ctx.set_source_rgba(0, 0, 0, 0.5)
        rounded_rect(ctx, 1.6, y + 1.5, w - 2.5, cap_h, 1.5)
        ctx.fill()
        rounded_rect(ctx, 1, y, w - 2, cap_h, 1.5)
        grad = cairo.LinearGradient(0, y, 0, y + cap_h)
        grad.add_color_stop_rgb(0, 0.80, 0.81, 0.83)
        grad.add_color_stop_rgb(0.5, 0.45, 0.46, 0.48)
        grad.add_color_stop_rgb(1, 0.70, 0.71, 0.73)
        ctx.set_source(grad)
        ctx.fill()
        ctx.set_source_rgb(0.05, 0.05, 0.05)
        ctx.rectangle(1.5, y + cap_h / 2 - 0.6, w - 3, 1.2)
        ctx.fill()
        ctx.set_source_rgb(*ACCENT)
        ctx.rectangle(3, y + cap_h / 2 - 0.4, w - 6, 0.8)
        ctx.fill()
    return strip(w, h, frames, frame)


def motor_button():
    w, h = 76, 22

    def frame(ctx, i, t):
        lit = i == 1
        rounded_rect(ctx, 0.5, 0.5, w - 1, h - 1, 4)
        ctx.set_source_rgb(0.01, 0.01, 0.01)
        ctx.fill()
        rounded_rect(ctx, 2, 2, w - 4, h - 4, 3)
        grad = cairo.LinearGradient(0, 2, 0, h - 2)
        if lit:
            grad.add_color_stop_rgb(0, 0.95, 0.22, 0.14)
            grad.add_color_stop_rgb(1, 0.55, 0.04, 0.03)
        else:
            grad.add_color_stop_rgb(0, 0.26, 0.16, 0.16)
            grad.add_color_stop_rgb(1, 0.10, 0.06, 0.06)
        ctx.set_source(grad)
        ctx.fill_preserve()
        ctx.set_source_rgba(1, 1, 1, 0.25 if lit else 0.12)
        ctx.set_line_width(0.8)
        ctx.stroke()
        if lit:
            ctx.set_source(radial(w / 2, h / 2, w / 2, [
                (0, (1, 0.6, 0.4, 0.45)), (1, (1, 0.3, 0.2, 0))]))
            rounded_rect(ctx, 2, 2, w - 4, h - 4, 3)
            ctx.fill()
        text(ctx, "MOTORS", w / 2, h / 2 + 3.5, size=9.0,
             colour=(1.0, 0.93, 0.88) if lit else (0.55, 0.42, 0.40))
    return strip(w, h, 2, frame)


# --------------------------------------------------------------- meters --

NEEDLE_A0 = -0.6 * math.pi
NEEDLE_A1 = 0.55 * math.pi


def meter_angle(t):
    return NEEDLE_A0 + (NEEDLE_A1 - NEEDLE_A0) * t


def db_position(db):
    """Meter position of a level in dB: -24 dB at 0, 0 dB at 1, linear in
    amplitude in between (as the plug-in feeds the meters)."""
    return (10 ** (db / 20.0) - 0.06309573444802) / 0.93690426555198


def _marker(ctx, cx, cy, radius, t, colour, size):
    x, y = polar(cx, cy, radius, meter_angle(t))
    r, g, b = colour
    ctx.set_source(radial(x, y, size * 2.6, [
        (0, (1, 1, 0.9, 1)), (0.25, (r, g, b, 0.95)), (1, (r, g, b, 0))]))
    ctx.arc(x, y, size * 2.6, 0, 2 * math.pi)
    ctx.fill()


def _led_track(ctx, cx, cy, radius, count, colour):
    r, g, b = colour
    for k in range(count):
        x, y = polar(cx, cy, radius, meter_angle(k / (count - 1)))
        ctx.set_source_rgb(r * 0.22, g * 0.22, b * 0.22)
        ctx.arc(x, y, 1.3, 0, 2 * math.pi)
        ctx.fill()


def outer_meter(background):
    """Gate meter ring, drawn by replacement: every frame is the panel's own
    housing (cut from the finished background) with the lit marker."""
    w, h, frames = 158, 114, 101
    cx, cy = 80, 81
    colour = (1.0, 0.42, 0.12)

    def frame(ctx, i, t):
        ctx.set_source_surface(background, -317, -25)
        ctx.paint()
        _marker(ctx, cx, cy, 70, t, colour, 2.3)
    return strip(w, h, frames, frame, rgb=True)


def inner_meter():
    """Follower meter ring, -24 to 0 dB, with a lit marker; transparent
    outside its band so the housing shows through."""
    w, h, frames = 104, 74, 101
    cx, cy = 53, 54
    colour = (0.35, 0.85, 1.0)

    scale, sctx = new_surface(w, h)
    _led_track(sctx, cx, cy, 48, 31, colour)
    sctx.set_line_width(0.8)
    for db in (-24, -18, -12, -9, -6, -3, 0):
        a = meter_angle(db_position(db))
        x0, y0 = polar(cx, cy, 42.5, a)
        x1, y1 = polar(cx, cy, 45.0, a)
        sctx.set_source_rgba(0.75, 0.85, 0.9, 0.8)
        sctx.move_to(x0, y0)
        sctx.line_to(x1, y1)
        sctx.stroke()
        if db in (-24, -12, -6, 0):
            x, y = polar(cx, cy, 36.0, a)
            set_font(sctx, 5.0, bold=True)
            label = str(db)
            ext = sctx.text_extents(label)
            sctx.set_source_rgba(0.70, 0.80, 0.86, 0.9)
            sctx.move_to(x - ext.x_advance / 2, y + 1.8)
            sctx.show_text(label)
    x, y = polar(cx, cy, 36.0, meter_angle(0.5))
    set_font(sctx, 4.6, bold=False)
    scale.flush()

    def frame(ctx, i, t):
        ctx.set_source_surface(scale, 0, 0)
        ctx.paint()
        _marker(ctx, cx, cy, 48, t, colour, 2.0)
    return strip(w, h, frames, frame)


def small_vu(face_painter):
    """Needle meter of the single effects: an opaque face with the needle
    swinging from left (frame 1) to right."""
    w, h, frames = 61, 25, 87

    def frame(ctx, i, t):
        face_painter(ctx, w, h)
        px, py = w / 2, h + 9.0
        a = math.radians(-42 + 84 * t)
        x1, y1 = polar(px, py, 29.0, a)
        x0, y0 = polar(px, py, 12.0, a)
        ctx.set_line_cap(cairo.LINE_CAP_ROUND)
        ctx.set_source_rgba(0, 0, 0, 0.25)
        ctx.set_line_width(1.4)
        ctx.move_to(x0 + 1.0, y0 + 1.0)
        ctx.line_to(x1 + 1.0, y1 + 1.0)
        ctx.stroke()
        ctx.set_source_rgb(0.80, 0.10, 0.06)
        ctx.set_line_width(1.0)
        ctx.move_to(x0, y0)
        ctx.line_to(x1, y1)
        ctx.stroke()
        # Pivot cover at the bottom edge.
        ctx.set_source_rgb(0.09, 0.09, 0.10)
        ctx.arc(px, h + 1.5, 5.5, 0, 2 * math.pi)
        ctx.fill()
        glass = cairo.LinearGradient(0, 0, 0, h)
        glass.add_color_stop_rgba(0, 1, 1, 1, 0.18)
        glass.add_color_stop_rgba(0.45, 1, 1, 1, 0.0)
        ctx.set_source(glass)
        ctx.rectangle(0, 0, w, h)
        ctx.fill()
    return strip(w, h, frames, frame, rgb=True)


def vu_face(ctx, w, h):
    """Cream meter face with a scale arc, red zone and tick marks."""
    ctx.set_source_rgb(0.02, 0.02, 0.02)
    ctx.paint()
    rounded_rect(ctx, 1, 1, w - 2, h - 2, 2)
    grad = cairo.LinearGradient(0, 0, 0, h)
    grad.add_color_stop_rgb(0, 0.93, 0.86, 0.66)
    grad.add_color_stop_rgb(1, 0.80, 0.70, 0.48)
    ctx.set_source(grad)
    ctx.fill()
    px, py = w / 2, h + 9.0
    ctx.set_line_width(0.8)
    ctx.set_source_rgb(0.12, 0.10, 0.08)
    ctx.arc(px, py, 24.0, math.radians(-90 - 42), math.radians(-90 + 24))
    ctx.stroke()
    ctx.set_source_rgb(0.78, 0.10, 0.06)
    ctx.set_line_width(1.6)
    ctx.arc(px, py, 24.6, math.radians(-90 + 24), math.radians(-90 + 42))
    ctx.stroke()
    for k in range(11):
        a = math.radians(-42 + 84 * k / 10)
        x0, y0 = polar(px, py, 24.0, a)
        x1, y1 = polar(px, py, 27.0 if k % 5 == 0 else 25.8, a)
        ctx.set_source_rgb(0.12, 0.10, 0.08) if k < 8 else \
            ctx.set_source_rgb(0.70, 0.08, 0.05)
        ctx.set_line_width(0.7)
        ctx.move_to(x0, y0)
        ctx.line_to(x1, y1)
        ctx.stroke()
    set_font(ctx, 4.6, bold=True)
    ctx.set_source_rgb(0.15, 0.12, 0.09)
    ctx.move_to(px - 3.2, py - 15.5)
    ctx.show_text("VU")


# --------------------------------------------------------------- digits --

# 5 x 7 dot matrix, one string of five bits per row.
_DIGITS = {
    0: ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    1: ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
    2: ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    3: ["11110", "00001", "00001", "01110", "00001", "00001", "11110"],
    4: ["00010", "00110", "01010", "10010", "11111", "00010", "00010"],
    5: ["11111", "10000", "11110", "00001", "00001", "10001", "01110"],
    6: ["00110", "01000", "10000", "11110", "10001", "10001", "01110"],
    7: ["11111", "00001", "00010", "00100", "01000", "01000", "01000"],
    8: ["01110", "10001", "10001", "01110", "10001", "10001", "01110"],
    9: ["01110", "10001", "10001", "01111", "00001", "00010", "01100"],
}

DIGIT_COLOUR = (0.90, 0.90, 0.86)


def digit_pixels(d):
    """(column, row) of the lit dots of digit d in its 5 x 7 matrix."""
    return [(c, r) for r, row in enumerate(_DIGITS[d])
            for c, bit in enumerate(row) if bit == "1"]


def digits_upright():
    """5 x 7 digits 0..9, one per frame."""
    def frame(ctx, i, t):
        ctx.set_source_rgb(*DIGIT_COLOUR)
        for c, r in digit_pixels(i):
            ctx.rectangle(c, r, 1, 1)
        ctx.fill()
    return strip(5, 7, 10, frame)


def digits_turned():
    """9 x 6 frames: the 5 x 7 digits turned a quarter turn clockwise (a
    glyph row becomes a column counted from the right), centred."""
    def frame(ctx, i, t):
        ctx.set_source_rgb(*DIGIT_COLOUR)
        for c, r in digit_pixels(i):
            # Clockwise quarter turn of a 5-wide, 7-tall glyph: (c, r) goes
            # to (6 - r, c); then centre in 9 x 6.
            ctx.rectangle(6 - r + 1, c, 1, 1)
        ctx.fill()
    return strip(9, 6, 10, frame)


# ------------------------------------------------------------ LFO shapes --

def _bezier_map(x, x0, x1, x2, y0, y1, y2):
    a = x0 - 2 * x1 + x2
    b = 2 * (x1 - x0)
    d = x0 - x
    t = (math.sqrt(b * b - 4 * a * d) - b) / (2 * a) if a != 0 else -d / b
    return (1 - t) ** 2 * y0 + 2 * t * (1 - t) * y1 + t * t * y2


def _tri(p):
    p %= 1.0
    if p < 0.25:
        return 4 * p
    if p < 0.75:
        return 2 - 4 * p
    return 4 * p - 4


def _saw(p):
    if p < 1 / 128:
        return p * 128
    if p > 127 / 128:
        return -1 + (p - 127 / 128) * 128
    return 1 - 2 * (p - 1 / 128) / (126 / 128)


def _square(p):
    if p < 1 / 128:
        return p * 128
    if p < 63 / 128:
        return 1.0
    if p < 65 / 128:
        return 1 - 2 * (p - 63 / 128) * 64
    if p < 127 / 128:
        return -1.0
    return -1 + (p - 127 / 128) * 128


LFO_SHAPES = [
    lambda p: math.sin(2 * math.pi * p),
    _tri,
    lambda p: _bezier_map(_tri(p), -1, 0.25, 1, -1, -0.25, 1),
    _saw,
    _square,
]
LFO_KEY_FRAMES = [0, 9, 19, 30, 40]


def lfo_value(frame, p):
    """Waveform shown in a frame: the five shapes at the key frames, a
    linear blend of the two neighbours in between."""
    for k in range(4):
        f0, f1 = LFO_KEY_FRAMES[k], LFO_KEY_FRAMES[k + 1]
        if f0 <= frame <= f1:
            u = (frame - f0) / (f1 - f0)
            return (1 - u) * LFO_SHAPES[k](p) + u * LFO_SHAPES[k + 1](p)
    raise ValueError(frame)


def lfo_display():
    w, h = 25, 17

    def frame(ctx, i, t):
        rounded_rect(ctx, 0.5, 0.5, w - 1, h - 1, 2.5)
        ctx.set_source_rgb(0.015, 0.04, 0.03)
        ctx.fill_preserve()
        ctx.set_source_rgba(1, 1, 1, 0.18)
        ctx.set_line_width(1.0)
        ctx.stroke()
        ctx.set_source_rgba(0.3, 1.0, 0.6, 0.18)
        ctx.set_line_width(0.5)
        ctx.move_to(2.5, h / 2)
        ctx.line_to(w - 2.5, h / 2)
        ctx.stroke()
        x0, x1, amp = 3.0, w - 3.0, (h - 6) / 2
        steps = 88
        ctx.new_path()
        for s in range(steps + 1):
            p = s / steps
            y = h / 2 - amp * lfo_value(i, min(p, 0.99999))
            ctx.line_to(x0 + (x1 - x0) * p, y)
        ctx.set_line_join(cairo.LINE_JOIN_ROUND)
        path = ctx.copy_path()
        ctx.set_source_rgba(0.3, 1.0, 0.55, 0.25)
        ctx.set_line_width(2.6)
        ctx.stroke()
        ctx.append_path(path)
        ctx.set_source_rgb(0.55, 1.0, 0.72)
        ctx.set_line_width(1.0)
        ctx.stroke()
    return strip(w, h, 41, frame)


def placeholder():
    surface, _ = new_surface(1, 1)
    return surface



def toggle_big_h():
    """41 x 12 lever toggle of the single effects: the lever sits on the left
    part so the lamp lens at the right end stays visible."""
    w, h = 41, 12

    def frame(ctx, i, t):
        cx, cy = 15.0, h / 2
        _bushing(ctx, cx, cy, 4.6)
        tx = cx + (10.5 if i == 1 else -10.5)
        _bat(ctx, cx, cy, tx, cy - 0.8, 3.0)
    return strip(w, h, 2, frame)
