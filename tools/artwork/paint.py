"""Small drawing helpers shared by the panel and control painters."""

import math

import cairo

FONT = "DejaVu Sans"
FONT_COND = "DejaVu Sans Condensed"

# Palette of the hardware look.
PANEL = (0.105, 0.110, 0.118)
PANEL_HI = (0.16, 0.167, 0.178)
SECTION = (0.135, 0.142, 0.152)
EDGE_LIGHT = (0.30, 0.31, 0.33)
EDGE_DARK = (0.03, 0.03, 0.035)
LABEL = (0.83, 0.84, 0.86)
LABEL_DIM = (0.56, 0.58, 0.61)
ACCENT = (0.93, 0.55, 0.16)  # amber: section names, logo
SYMBOL = (0.70, 0.74, 0.78)


def font_options():
    opts = cairo.FontOptions()
    opts.set_antialias(cairo.ANTIALIAS_GRAY)
    opts.set_hint_style(cairo.HINT_STYLE_SLIGHT)
    opts.set_hint_metrics(cairo.HINT_METRICS_OFF)
    return opts


def new_surface(width, height, rgb=False):
    fmt = cairo.FORMAT_RGB24 if rgb else cairo.FORMAT_ARGB32
    surface = cairo.ImageSurface(fmt, width, height)
    ctx = cairo.Context(surface)
    ctx.set_font_options(font_options())
    if rgb:
        ctx.set_source_rgb(0, 0, 0)
        ctx.paint()
    return surface, ctx


def strip(width, frame_h, frames, draw_frame, rgb=False):
    """Stacks draw_frame(ctx, index, t) for every frame, t = index/(frames-1)."""
    surface, ctx = new_surface(width, frame_h * frames, rgb)
    for i in range(frames):
        ctx.save()
        ctx.translate(0, i * frame_h)
        ctx.rectangle(0, 0, width, frame_h)
        ctx.clip()
        t = i / (frames - 1) if frames > 1 else 0.0
        draw_frame(ctx, i, t)
        ctx.restore()
    surface.flush()
    return surface


class Noise:
    """Deterministic pseudo-random numbers (LCG), so every run paints the
    same pixels whatever the Python version."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 1664525 + 1013904223) & 0xFFFFFFFF
        return self.state / 4294967296.0


def rounded_rect(ctx, x, y, w, h, r):
    r = min(r, w / 2, h / 2)
    ctx.new_sub_path()
    ctx.arc(x + w - r, y + r, r, -math.pi / 2, 0)
    ctx.arc(x + w - r, y + h - r, r, 0, math.pi / 2)
    ctx.arc(x + r, y + h - r, r, math.pi / 2, math.pi)
    ctx.arc(x + r, y + r, r, math.pi, 1.5 * math.pi)
    ctx.close_path()


def set_font(ctx, size, bold=False, condensed=False):
    ctx.select_font_face(FONT_COND if condensed else FONT,
                         cairo.FONT_SLANT_NORMAL,
                         cairo.FONT_WEIGHT_BOLD if bold else
                         cairo.FONT_WEIGHT_NORMAL)
    ctx.set_font_size(size)


def text(ctx, s, x, y, size=7.0, colour=LABEL, bold=True, align="center",
         condensed=False, shadow=True):
    """Draws s with its baseline at y; align is left, center or right of x.
    Returns the ink box (x0, y0, x1, y1)."""
    set_font(ctx, size, bold, condensed)
    ext = ctx.text_extents(s)
    if align == "center":
        x0 = x - ext.x_advance / 2
    elif align == "right":
        x0 = x - ext.x_advance
    else:
        x0 = x
    if shadow:
        ctx.set_source_rgba(0, 0, 0, 0.75)
        ctx.move_to(x0 + 0.6, y + 0.8)
        ctx.show_text(s)
    ctx.set_source_rgb(*colour)
    ctx.move_to(x0, y)
    ctx.show_text(s)
    return (x0 + ext.x_bearing, y + ext.y_bearing,
            x0 + ext.x_bearing + ext.width, y + ext.y_bearing + ext.height)


def text_width(ctx, s, size=7.0, bold=True, condensed=False):
    set_font(ctx, size, bold, condensed)
    return ctx.text_extents(s).x_advance


def radial(cx, cy, r, stops):
    grad = cairo.RadialGradient(cx, cy, 0, cx, cy, r)
    for off, col in stops:
        grad.add_color_stop_rgba(off, *col)
    return grad


def knob_angle(t, sweep=150.0):
    """Pointer angle in radians, 0 = straight up, clockwise positive: from
    about 7 o'clock (t = 0) to about 5 o'clock (t = 1)."""
    return math.radians(-sweep + 2 * sweep * t)


def polar(cx, cy, radius, angle):
    return cx + math.sin(angle) * radius, cy - math.cos(angle) * radius
