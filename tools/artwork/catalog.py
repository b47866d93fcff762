"""Image catalogue of the four plug-ins: the one table both the generator and
the size check read. Pure Python (no cairo) so the check runs anywhere."""

from collections import namedtuple

# frame_h is the height of one frame; the PNG is width x (frames * frame_h).
# rgb: saved without an alpha channel (opaque panels, glow lamps that are
# added onto the panel).
Image = namedtuple("Image", "id name width frame_h frames rgb")

PRODUCTS = ("quorvex", "quorvex_phaser", "quorvex_chorus", "quorvex_drive")


def _img(rid, name, width, height, frames, rgb=False):
    assert height % frames == 0, (rid, name)
    return Image(rid, name, width, height // frames, frames, rgb)


def _placeholder(rid):
    return _img(rid, "img/unused-%d.png" % rid, 1, 1, 1)


_GLOWS = [
    _img(102, "img/glow_r.png", 30, 31, 1, rgb=True),
    _img(103, "img/glow_y.png", 30, 31, 1, rgb=True),
    _img(104, "img/glow_g.png", 30, 31, 1, rgb=True),
]

_SMALL_KNOB = _img(106, "img/knob-cap-stack.png", 24, 3128, 136)
_BIG_KNOB = _img(108, "img/big-knob-stack.png", 31, 3808, 136)

_MULTI = [
    _img(101, "img/bg.png", 790, 350, 1, rgb=True),
    *_GLOWS,
    _SMALL_KNOB,
    _img(107, "img/tiny-knob-stack.png", 16, 2040, 136),
    _BIG_KNOB,
    _img(109, "img/env-slider.png", 16, 3000, 50),
    _img(110, "img/mod-switch-L.png", 53, 125, 5),
    _img(111, "img/mod-switch-R.png", 55, 130, 5),
    _img(112, "img/filter-shape-sw.png", 47, 39, 3),
    _img(113, "img/phaser-stereo-sw.png", 29, 26, 2),
    _img(114, "img/chorus-stereo-sw.png", 29, 28, 2),
    _img(115, "img/VU-stack-outer.png", 158, 11514, 101, rgb=True),
    _img(116, "img/VU-stack-inner.png", 104, 7474, 101),
    _img(117, "img/toggle-v.png", 15, 46, 2),
    _img(118, "img/toggle-h.png", 27, 20, 2),
    _img(119, "img/trim-stack.png", 38, 2356, 62),
    _placeholder(120),
    _img(121, "img/numbers-quorvex.png", 5, 70, 10),
    _placeholder(122),
    _placeholder(123),
    _placeholder(124),
    _placeholder(125),
    _img(126, "img/lfo-stack.png", 25, 697, 41),
    _img(127, "img/motor-button-stack.png", 76, 44, 2),
    _img(129, "img/sidechain-toggle.png", 23, 40, 2),
    _img(130, "img/sync-toggle.png", 13, 46, 2),
]


def _single(bg_name, extra=()):
    return [
        _img(101, bg_name, 274, 700, 2, rgb=True),
        _SMALL_KNOB,
        *extra,
        _img(118, "img/toggle-big-h.png", 41, 24, 2),
        _GLOWS[0],
        _img(120, "img/small-VU.png", 61, 2175, 87, rgb=True),
        _img(121, "img/numbers.png", 9, 60, 10),
    ]


CATALOG = {
    "quorvex": _MULTI,
    "quorvex_phaser": _single("img/phaser-bg.png"),
    "quorvex_chorus": _single("img/chorus-bg.png"),
    "quorvex_drive": _single("img/drive-bg.png", extra=(_BIG_KNOB,)),
}


def file_name(image):
    """Name of the PNG inside the product's resources folder."""
    return image.name.split("/")[-1]


def manifest_text(product):
    """resources.txt: one '<id> <file name>' line per image, ids ascending."""
    lines = ["%d %s" % (im.id, file_name(im))
             for im in sorted(CATALOG[product], key=lambda im: im.id)]
    return "\n".join(lines) + "\n"
