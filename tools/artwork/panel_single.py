"""Backgrounds of the three single effects (274 x 350, two frames: labels in
Russian, then the same panel with English labels)."""

import math

import decor
import layout
from paint import (ACCENT, LABEL, LABEL_DIM, knob_angle, new_surface, polar,
                   rounded_rect, text)

W, H = 274, 350
S = 7.0

# Each product: title pair, widget list, link box, language box and labels
# as (russian, english, x, baseline y, align).
PRODUCTS = {
    "phaser": {
        "title": ("ФАЗЕР", "PHASER"),
        "widgets": layout.PHASER,
        "link": layout.PHASER_LINK,
        "lang": (224.5, 318),
        "dividers": [186, 252],
        "labels": [
            ("УРОВЕНЬ", "LEVEL", 60, 174, "center"),
            ("ГЛУБИНА", "DEPTH", 60, 241, "center"),
            ("ОБР. СВЯЗЬ", "FEEDBACK", 137, 241, "center"),
            ("СКОРОСТЬ", "RATE", 213, 241, "center"),
            ("ЧАСТ. 1", "FR.1", 61, 302, "center"),
            ("ЧАСТ. 2", "FR.2", 137, 302, "center"),
            ("ЧАСТ. 3", "FR.3", 213, 302, "center"),
            ("ЛИМИТЕР", "BRICK LIMIT", 188, 173, "left"),
            ("МОНО", "MONO", 121, 83, "right"),
            ("СТЕР.", "STR", 172, 83, "left"),
        ],
    },
    "chorus": {
        "title": ("ХОРУС", "CHORUS"),
        "widgets": layout.CHORUS,
        "link": layout.CHORUS_LINK,
        "lang": (215.5, 120),
        "dividers": [303],
        "labels": [
            ("ГЛУБИНА", "DEPTH", 62, 196, "center"),
            ("УРОВЕНЬ", "LEVEL", 212, 196, "center"),
            ("СКОРОСТЬ", "RATE", 75, 264, "center"),
            ("ЗАДЕРЖКА", "DELAY", 198, 264, "center"),
            ("РАЗБРОС", "SPREAD", 137, 294, "center"),
            ("ЛИМИТЕР", "BRICK WALL", 111, 234, "left"),
            ("МОНО", "MONO", 120, 83, "right"),
            ("СТЕР.", "STR", 171, 83, "left"),
        ],
    },
    "drive": {
        "title": ("ДРАЙВ", "DRIVE"),
        "widgets": layout.DRIVE,
        "link": layout.DRIVE_LINK,
        "lang": (215.5, 120),
        "dividers": [222],
        "numbered": (136.5, 259, 12.9),
        "labels": [
            ("ВХОД", "INPUT", 63, 206, "center"),
            ("ПЕРЕГРУЗ", "DRIVE", 136.5, 291, "center"),
            ("ОБР. СВЯЗЬ", "FEED BACK", 191, 172, "right"),
            ("ЛИМИТЕР", "BRICK LIMIT", 182, 200, "right"),
        ],
    },
}

LAMP = (1.0, 0.2, 0.1)


def _frame(ctx, product, english):
    info = PRODUCTS[product]
    decor.brushed_metal(ctx, W, H, seed={"phaser": 11, "chorus": 12,
                                         "drive": 13}[product])
    decor.section(ctx, [(8, 62), (266, 62), (266, 342), (8, 342)], radius=9)
    # Title plate.
    rounded_rect(ctx, 8, 8, 258, 46, 6)
    ctx.set_source_rgb(0.03, 0.03, 0.035)
    ctx.fill_preserve()
    ctx.set_source_rgba(1, 1, 1, 0.1)
    ctx.set_line_width(1.0)
    ctx.stroke()
    text(ctx, "QUORVEX", 20, 25, size=9.5, colour=ACCENT, align="left")
    title = info["title"][1 if english else 0]
    text(ctx, title, 20, 46, size=18, colour=LABEL, align="left")
    sub = "single effect" if english else "одиночный эффект"
    text(ctx, sub, 254, 46, size=7, colour=LABEL_DIM, align="right",
         bold=False)
    # Meter bezel (the meter strip itself is opaque).
    rounded_rect(ctx, 104, 129, 69, 33, 4)
    ctx.set_source_rgb(0.02, 0.02, 0.02)
    ctx.fill_preserve()
    ctx.set_source_rgba(1, 1, 1, 0.12)
    ctx.stroke()
    for x, y, image_id, role in info["widgets"]:
        w, h = layout.size_of(image_id, single=True)
        cx, cy = x + w / 2, y + h / 2
        if role == "lamp":
            decor.lamp_lens(ctx, cx, cy, LAMP)
        elif role == "knob":
            r = {106: 10.2, 108: 12.9}[image_id]
            decor.knob_well(ctx, cx, cy, r + 3.5)
            decor.knob_scale(ctx, cx, cy, r + 2.0, r + 4.0)
        elif role == "toggle":
            decor.recess(ctx, x + 2, y - 1, 26, h + 2, 3)
    # Manual link: the maker's badge.
    x0, y0, x1, y1 = info["link"]
    rounded_rect(ctx, x0, y0, x1 - x0, y1 - y0, 3)
    ctx.set_source_rgb(0.02, 0.02, 0.022)
    ctx.fill()
    text(ctx, "QUORVEX", (x0 + x1) / 2, (y0 + y1) / 2 + 3,
         size=min(9.0, (x1 - x0) / 5.2), colour=ACCENT, condensed=True)
    # Language switch symbol.
    lx, ly = info["lang"]
    decor.bow_tie(ctx, lx, ly)
    text(ctx, "RU \u00b7 EN", lx, ly + 13, size=5.6, colour=LABEL_DIM,
         bold=False)
    for y in info.get("dividers", ()):
        _divider(ctx, 22, 250, y)
    if "numbered" in info:
        _numbered_scale(ctx, *info["numbered"])
    for ru, en, x, y, align in info["labels"]:
        text(ctx, en if english else ru, x, y, size=S, colour=LABEL,
             align=align)
    _version_plate(ctx)
    for x, y in ((14, 68), (260, 68), (14, 336)):
        decor.screw(ctx, x, y)
    decor.edge_shade(ctx, W, H)


def _divider(ctx, x0, x1, y):
    """Engraved line between rows of controls."""
    ctx.set_line_width(1.0)
    ctx.set_source_rgba(0, 0, 0, 0.6)
    ctx.move_to(x0, y + 0.5)
    ctx.line_to(x1, y + 0.5)
    ctx.stroke()
    ctx.set_source_rgba(1, 1, 1, 0.07)
    ctx.move_to(x0, y + 1.5)
    ctx.line_to(x1, y + 1.5)
    ctx.stroke()


def _numbered_scale(ctx, cx, cy, r):
    """0 to 10 around the main knob."""
    for k in range(11):
        a = knob_angle(k / 10)
        x, y = polar(cx, cy, r + 9.5, a)
        text(ctx, str(k), x, y + 2.2, size=5.4, colour=LABEL_DIM,
             bold=False, shadow=False)


def _version_plate(ctx):
    x0, y0, x1, y1 = layout.SINGLE_DIGITS
    rounded_rect(ctx, x0 - 3, 292, x1 - x0 + 6, y1 - 292 + 5, 3)
    ctx.set_source_rgb(0.02, 0.02, 0.022)
    ctx.fill()
    ctx.save()
    ctx.translate(x0 + 1.8, 309.5)
    ctx.rotate(math.pi / 2)  # reads top to bottom, like the turned digits
    text(ctx, "V1.", 0, 0, size=7.0, colour=(0.90, 0.90, 0.86),
         align="right", shadow=False)
    ctx.restore()
    ctx.set_source_rgb(0.90, 0.90, 0.86)
    ctx.rectangle(x0 + 2, 317.5, 1, 1)
    ctx.fill()


def render(product):
    surface, ctx = new_surface(W, 2 * H, rgb=True)
    for english in (False, True):
        ctx.save()
        ctx.translate(0, H if english else 0)
        ctx.rectangle(0, 0, W, H)
        ctx.clip()
        _frame(ctx, product, english)
        ctx.restore()
    surface.flush()
    return surface
