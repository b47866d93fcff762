"""Where the editors put their widgets (top-left corner and image id), so the
panels can print labels, scales and lamp lenses exactly under them."""

# Multi-effect: (x, y, image id, role)
MULTI = [
    (137, 25, 102, "lamp"), (93, 168, 102, "lamp"), (215, 271, 102, "lamp"),
    (164, 240, 102, "lamp"), (506, 228, 102, "lamp"), (705, 243, 102, "lamp"),
    (583, 100, 102, "lamp"), (659, 138, 102, "lamp"), (734, 100, 102, "lamp"),
    (605, 269, 102, "lamp"), (383, 189, 102, "lamp"), (376, 206, 103, "lamp"),
    (373, 222, 104, "lamp"), (59, -3, 104, "lamp"), (-3, 167, 104, "lamp"),
    (101, 325, 104, "lamp"), (550, -3, 104, "lamp"),
    (317, 25, 115, "meter"), (344, 52, 116, "meter"),
    (358, 160, 127, "button"), (376, 86, 119, "trim"),
    (290, 199, 129, "toggle"), (536, 74, 130, "toggle"),
    (473, 171, 130, "toggle"), (498, 88, 126, "shape"), (494, 185, 126, "shape"),
    (83, 5, 118, "toggle"), (1, 190, 117, "toggle"), (125, 333, 118, "toggle"),
    (573, 5, 118, "toggle"), (181, 6, 112, "switch"), (689, 6, 113, "switch"),
    (248, 333, 114, "switch"),
    (98, 86, 110, "modsw"), (43, 202, 110, "modsw"), (117, 285, 110, "modsw"),
    (252, 285, 110, "modsw"), (541, 283, 111, "modsw"), (677, 306, 111, "modsw"),
    (577, 172, 111, "modsw"), (653, 212, 111, "modsw"), (728, 172, 111, "modsw"),
    (104, 64, 106, "detent"), (50, 182, 106, "detent"), (260, 264, 106, "detent"),
    (126, 264, 106, "detent"), (553, 263, 106, "detent"),
    (691, 284, 106, "detent"), (590, 148, 106, "detent"),
    (666, 189, 106, "detent"), (743, 148, 106, "detent"),
    (174, 64, 108, "knob"), (140, 155, 108, "knob"), (187, 289, 107, "knob"),
    (209, 216, 108, "knob"), (495, 282, 107, "knob"), (754, 251, 107, "knob"),
    (593, 70, 107, "knob"), (668, 109, 107, "knob"), (745, 70, 107, "knob"),
    (16, 92, 106, "knob"), (49, 48, 106, "knob"), (204, 140, 117, "toggle"),
    (68, 282, 107, "knob"), (664, 45, 106, "knob"), (255, 81, 106, "knob"),
    (269, 136, 107, "knob"), (275, 30, 107, "knob"), (501, 35, 106, "knob"),
    (501, 134, 106, "knob"), (415, 223, 106, "knob"), (354, 201, 107, "knob"),
    (336, 238, 107, "knob"),
    (352, 273, 109, "fader"), (378, 273, 109, "fader"), (403, 273, 109, "fader"),
    (428, 273, 109, "fader"),
]
MULTI_LINK = (375, 137, 415, 151)
MULTI_DIGITS = (426, 3, 448, 9)

_SINGLE_COMMON = [(108, 133, 120, "meter")]

PHASER = [
    (48, 140, 106, "knob"), (201, 207, 106, "knob"), (48, 207, 106, "knob"),
    (49, 268, 106, "knob"), (125, 268, 106, "knob"), (201, 268, 106, "knob"),
    (125, 204, 106, "knob"), (126, 73, 118, "toggle"), (190, 147, 118, "toggle"),
    (215, 138, 102, "lamp"),
] + _SINGLE_COMMON
PHASER_LINK = (27, 318, 96, 334)
PHASER_LANG = (204, 231, 245, 336)

CHORUS = [
    (200, 162, 106, "knob"), (63, 230, 106, "knob"), (50, 162, 106, "knob"),
    (186, 230, 106, "knob"), (125, 260, 106, "knob"), (125, 73, 118, "toggle"),
    (109, 211, 118, "toggle"), (136, 202, 102, "lamp"),
] + _SINGLE_COMMON
CHORUS_LINK = (39, 108, 79, 134)
CHORUS_LANG = (193, 111, 238, 129)

DRIVE = [
    (51, 172, 106, "knob"), (121, 245, 108, "knob"), (195, 162, 118, "toggle"),
    (186, 190, 118, "toggle"), (221, 153, 102, "lamp"), (210, 181, 102, "lamp"),
] + _SINGLE_COMMON
DRIVE_LINK = (38, 104, 82, 131)
DRIVE_LANG = (193, 111, 238, 129)

SINGLE_DIGITS = (259, 311, 268, 332)

# Frame sizes of the images the layouts use (width, frame height).
SIZES = {
    102: (30, 31), 103: (30, 31), 104: (30, 31), 106: (24, 23), 107: (16, 15),
    108: (31, 28), 109: (16, 60), 110: (53, 25), 111: (55, 26), 112: (47, 13),
    113: (29, 13), 114: (29, 14), 115: (158, 114), 116: (104, 74),
    117: (15, 23), 119: (38, 38), 120: (61, 25), 126: (25, 17), 127: (76, 22),
    129: (23, 20), 130: (13, 23),
}


def size_of(image_id, single=False):
    if image_id == 118:
        return (41, 12) if single else (27, 10)
    return SIZES[image_id]


def centre(x, y, image_id, single=False):
    w, h = size_of(image_id, single)
    return x + w / 2, y + h / 2
