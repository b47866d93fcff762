#!/usr/bin/env python3
"""Composes an editor from the generated images the way the plug-in draws
it (frames chosen by value, lamps added, needles stroked), to look at the
artwork without a host:

    python3 tools/artwork/preview.py OUT_DIR [value]
"""

import math
import os
import sys

try:
    import cairo
except ImportError:
    if os.path.exists("/usr/bin/python3") and sys.executable != "/usr/bin/python3":
        os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
    raise

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import catalog  # noqa: E402
import layout  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")


def load(product, rid):
    image = next(im for im in catalog.CATALOG[product] if im.id == rid)
    path = os.path.join(ROOT, "products", product, "resources",
                        catalog.file_name(image))
    return cairo.ImageSurface.create_from_png(path), image


def draw(ctx, product, rid, x, y, value, add=False, weight=1.0):
    surface, image = load(product, rid)
    frame = int((image.frames - 1) * value + 0.5)
    ctx.save()
    ctx.rectangle(x, y, image.width, image.frame_h)
    ctx.clip()
    if add:
        ctx.set_operator(cairo.OPERATOR_ADD)
    ctx.set_source_surface(surface, x, y - frame * image.frame_h)
    ctx.paint_with_alpha(weight)
    ctx.restore()


def needle(ctx, value, r0, r1, colour):
    a = -0.6 * math.pi + 1.15 * math.pi * value
    cx, cy = 397, 106
    ctx.set_source_rgba(*colour, 0.85)
    ctx.set_line_width(1.2)
    ctx.move_to(cx + math.sin(a) * r0, cy - math.cos(a) * r0)
    ctx.line_to(cx + math.sin(a) * r1, cy - math.cos(a) * r1)
    ctx.stroke()


def multi(value):
    out = cairo.ImageSurface(cairo.FORMAT_RGB24, 790, 350)
    ctx = cairo.Context(out)
    bg, _ = load("quorvex", 101)
    ctx.set_source_surface(bg, 0, 0)
    ctx.paint()
    for i, (x, y, rid, role) in enumerate(layout.MULTI):
        if role == "lamp":
            draw(ctx, "quorvex", rid, x, y, 0, add=True,
                 weight=value if i % 3 else 1 - value)
        elif role == "meter":
            draw(ctx, "quorvex", rid, x, y, value if rid == 116 else
                 1 - value)
        else:
            draw(ctx, "quorvex", rid, x, y, value)
    needle(ctx, 0.2, 30, 52, (1, 0, 0))
    needle(ctx, 0.8, 30, 52, (1, 1, 0))
    needle(ctx, 0.12, 63, 77, (1, 0, 0))
    needle(ctx, 0.2, 63, 77, (0, 1, 0))
    draw(ctx, "quorvex", 121, 426, 3, 0)
    draw(ctx, "quorvex", 121, 435, 3, 2 / 9)
    return out


def single(product, widgets, value, english):
    out = cairo.ImageSurface(cairo.FORMAT_RGB24, 274, 350)
    ctx = cairo.Context(out)
    draw(ctx, product, 101, 0, 0, 1.0 if english else 0.0)
    for x, y, rid, role in widgets:
        if role == "lamp":
            draw(ctx, product, rid, x, y, 0, add=True, weight=value)
        else:
            draw(ctx, product, rid, x, y, value)
    draw(ctx, product, 121, 259, 311, 0)
    draw(ctx, product, 121, 259, 319, 2 / 9)
    return out


def main():
    out_dir = sys.argv[1]
    value = float(sys.argv[2]) if len(sys.argv) > 2 else 0.5
    os.makedirs(out_dir, exist_ok=True)
    multi(value).write_to_png(os.path.join(out_dir, "quorvex.png"))
    for product, widgets in (("quorvex_phaser", layout.PHASER),
                             ("quorvex_chorus", layout.CHORUS),
                             ("quorvex_drive", layout.DRIVE)):
        for english in (False, True):
            single(product, widgets, value, english).write_to_png(
                os.path.join(out_dir, "%s-%s.png"
                             % (product, "en" if english else "ru")))


if __name__ == "__main__":
    main()
