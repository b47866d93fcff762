#!/usr/bin/env python3
"""Draws every image of the four plug-ins into products/<name>/resources/
and writes each folder's resources.txt (id and file name per line).

    python3 tools/artwork/generate.py [repository root]
"""

import os
import sys

try:
    import cairo  # noqa: F401
except ImportError:
    # A private Python may lack the distribution's cairo binding; the
    # system interpreter has it.
    if os.path.exists("/usr/bin/python3") and sys.executable != "/usr/bin/python3":
        os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
    raise

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import catalog  # noqa: E402
import controls  # noqa: E402
import panel_multi  # noqa: E402
import panel_single  # noqa: E402


def painters():
    """Image painters by (product, id); shared images are painted once."""
    cache = {}

    def once(key, fn):
        if key not in cache:
            cache[key] = fn()
        return cache[key]

    multi_bg = lambda: once("bg", panel_multi.render)  # noqa: E731
    common = {
        102: lambda: once(102, lambda: controls.glow((1.0, 0.16, 0.06))),
        103: lambda: once(103, lambda: controls.glow((1.0, 0.72, 0.08))),
        104: lambda: once(104, lambda: controls.glow((0.15, 1.0, 0.25))),
        106: lambda: once(106, lambda: controls.knob_strip(
            controls.knob_small, 24, 23, 136)),
        108: lambda: once(108, lambda: controls.knob_strip(
            controls.knob_big, 31, 28, 136)),
    }
    multi = dict(common)
    multi.update({
        101: multi_bg,
        107: lambda: controls.knob_strip(controls.knob_tiny, 16, 15, 136),
        109: lambda: controls.fader(16, 60, 50),
        110: lambda: controls.mod_lever(53, 25, mirrored=False),
        111: lambda: controls.mod_lever(55, 26, mirrored=True),
        112: lambda: controls.slide_switch(47, 13, 3),
        113: lambda: controls.slide_switch(29, 13, 2),
        114: lambda: controls.slide_switch(29, 14, 2),
        115: lambda: controls.outer_meter(multi_bg()),
        116: controls.inner_meter,
        117: lambda: controls.toggle(15, 23, horizontal=False),
        118: lambda: controls.toggle(27, 10, horizontal=True),
        119: lambda: controls.knob_strip(controls.knob_trim, 38, 38, 62),
        121: controls.digits_upright,
        126: controls.lfo_display,
        127: controls.motor_button,
        129: lambda: controls.toggle(23, 20, horizontal=False),
        130: lambda: controls.toggle(13, 23, horizontal=False),
    })
    for rid in (120, 122, 123, 124, 125):
        multi[rid] = controls.placeholder

    def single(name):
        table = dict(common)
        table.update({
            101: lambda: panel_single.render(name),
            118: lambda: once("big-h", controls.toggle_big_h),
            120: lambda: once("vu", lambda: controls.small_vu(
                controls.vu_face)),
            121: lambda: once("turned", controls.digits_turned),
        })
        return table

    return {
        "quorvex": multi,
        "quorvex_phaser": single("phaser"),
        "quorvex_chorus": single("chorus"),
        "quorvex_drive": single("drive"),
    }


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "..")
    table = painters()
    for product in catalog.PRODUCTS:
        folder = os.path.join(root, "products", product, "resources")
        os.makedirs(folder, exist_ok=True)
        for image in catalog.CATALOG[product]:
            surface = table[product][image.id]()
            expect = (image.width, image.frame_h * image.frames)
            got = (surface.get_width(), surface.get_height())
            assert got == expect, (product, image.name, got, expect)
            surface.write_to_png(os.path.join(folder,
                                              catalog.file_name(image)))
        with open(os.path.join(folder, "resources.txt"), "w",
                  newline="\n") as out:
            out.write(catalog.manifest_text(product))
        print("%s: %d images" % (product, len(catalog.CATALOG[product])))


if __name__ == "__main__":
    main()
