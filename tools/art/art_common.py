# SPDX-License-Identifier: GPL-3.0-or-later
"""Palette, fonts and drawing helpers shared by the artwork generators.

Everything is drawn from code with Pillow; shapes are drawn four times larger and
reduced, so their edges are smooth, while text is drawn at its final size, where
FreeType's hinting keeps it crisp.

Coordinates are always those of the 1x picture. With set_zoom(2) every helper draws
the same picture at twice the resolution (the "@2x" pictures for HiDPI screens):
shapes are traced again at the finer grid and text is set at twice the size, so
nothing is a pixel-doubled copy.
"""
from PIL import Image, ImageDraw, ImageFont

# The colour the window treats as see-through. It may appear only in the rounded
# corners of the top and bottom border pictures.
KEY = (101, 67, 33)

# One palette for the whole program: a deep slate-teal frame, warm sand and cream
# surfaces (the quotation column's cream is fixed by the program), one amber accent.
INK = (27, 52, 64)          # window frame
INK_LIGHT = (41, 76, 92)    # header band, frame highlights
INK_LINE = (62, 104, 120)   # thin lines on the frame
TEAL = (38, 110, 128)       # buttons, selected side button
TEAL_DARK = (24, 80, 95)    # pressed buttons
TEAL_DEEP = (16, 60, 72)    # pressed edges
AMBER = (230, 146, 62)      # accent
AMBER_DARK = (196, 112, 36)
CREAM = (243, 238, 207)     # quotation column background
SAND = (223, 216, 173)      # borders of the gallery and saved-work lists
SAND_LIGHT = (246, 243, 232)  # side column
SAND_MID = (232, 226, 205)
SAND_LINE = (214, 206, 178)
TEXT = (34, 48, 56)
TEXT_SOFT = (92, 104, 110)
WHITE = (255, 255, 255)
BRICK = (168, 62, 50)       # the delete button

SCALE = 4  # super-sampling factor for shapes
ZOOM = 1   # device pixels per artwork pixel: 1, or 2 for the @2x pictures


def set_zoom(zoom):
    global ZOOM
    ZOOM = zoom


FONT_DIR = "/usr/share/fonts/opentype/inter/"
_font_cache = {}


def _font(weight, size):
    key = (weight, size)
    if key not in _font_cache:
        _font_cache[key] = ImageFont.truetype(FONT_DIR + "Inter-%s.otf" % weight, size)
    return _font_cache[key]


def font(weight, size):
    """Inter (SIL Open Font License) in one of its weights, at a pixel size of the 1x
    picture (set at ZOOM times that size)."""
    return _font(weight, size * ZOOM)


def zoomed(values):
    """1x coordinates -> device pixels of the picture being drawn."""
    return [v * ZOOM for v in values]


def new(size, colour):
    return Image.new("RGBA", (size[0] * ZOOM, size[1] * ZOOM), colour + (255,))


def _shape_layer(size):
    return Image.new("L", (size[0] * SCALE, size[1] * SCALE), 0)


def _paste_mask(img, mask, fill):
    mask = mask.resize(img.size, Image.BOX)  # the exact average of each 4 x 4 block
    layer = Image.new("RGBA", img.size, fill + (255,))
    img.alpha_composite(Image.composite(layer, Image.new("RGBA", img.size, (0, 0, 0, 0)), mask))


def _scaled(box):
    return [round(v * SCALE * ZOOM) for v in box]


def rounded_rect(img, box, radius, fill):
    """A filled rounded rectangle; box is (left, top, right, bottom), right/bottom exclusive."""
    mask = _shape_layer(img.size)
    x0, y0, x1, y1 = _scaled(box)
    ImageDraw.Draw(mask).rounded_rectangle((x0, y0, x1 - 1, y1 - 1), radius * SCALE * ZOOM,
                                           fill=255)
    _paste_mask(img, mask, fill)


def rounded_frame(img, box, radius, colour, width=1.0):
    """The outline of a rounded rectangle, width pixels wide, drawn inside box."""
    mask = _shape_layer(img.size)
    x0, y0, x1, y1 = _scaled(box)
    ImageDraw.Draw(mask).rounded_rectangle((x0, y0, x1 - 1, y1 - 1), radius * SCALE * ZOOM,
                                           fill=255)
    w = round(width * SCALE * ZOOM)
    ImageDraw.Draw(mask).rounded_rectangle(
        (x0 + w, y0 + w, x1 - 1 - w, y1 - 1 - w), max(0, (radius - width) * SCALE * ZOOM),
        fill=0)
    _paste_mask(img, mask, colour)


def ellipse(img, box, fill):
    mask = _shape_layer(img.size)
    x0, y0, x1, y1 = _scaled(box)
    ImageDraw.Draw(mask).ellipse((x0, y0, x1 - 1, y1 - 1), fill=255)
    _paste_mask(img, mask, fill)


def ring(img, box, colour, width=1.0):
    mask = _shape_layer(img.size)
    x0, y0, x1, y1 = _scaled(box)
    w = round(width * SCALE * ZOOM)
    d = ImageDraw.Draw(mask)
    d.ellipse((x0, y0, x1 - 1, y1 - 1), fill=255)
    d.ellipse((x0 + w, y0 + w, x1 - 1 - w, y1 - 1 - w), fill=0)
    _paste_mask(img, mask, colour)


def polygon(img, points, fill):
    mask = _shape_layer(img.size)
    k = SCALE * ZOOM
    ImageDraw.Draw(mask).polygon([(x * k, y * k) for x, y in points], fill=255)
    _paste_mask(img, mask, fill)


def line(img, points, colour, width=1.0):
    mask = _shape_layer(img.size)
    k = SCALE * ZOOM
    ImageDraw.Draw(mask).line([(x * k, y * k) for x, y in points], fill=255,
                              width=round(width * k), joint="curve")
    _paste_mask(img, mask, colour)


def text_size(text, fnt):
    left, top, right, bottom = fnt.getbbox(text)
    return right - left, bottom - top


def text(img, xy, s, fnt, colour, anchor="la"):
    ImageDraw.Draw(img).text(tuple(zoomed(xy)), s, font=fnt, fill=colour + (255,), anchor=anchor)


def text_centred(img, box, s, fnt, colour, dy=0):
    """Text centred in box on its middle line ("mm" anchor), nudged by dy pixels."""
    cx = (box[0] + box[2]) / 2 * ZOOM
    cy = ((box[1] + box[3]) / 2 + dy) * ZOOM
    ImageDraw.Draw(img).text((cx, cy), s, font=fnt, fill=colour + (255,), anchor="mm")


def vgradient(img, box, top, bottom):
    """A vertical gradient from colour top to colour bottom over box."""
    d = ImageDraw.Draw(img)
    x0, y0, x1, y1 = zoomed(box)
    h = max(1, y1 - y0 - 1)
    for y in range(y0, y1):
        t = (y - y0) / h
        c = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
        d.line((x0, y, x1 - 1, y), fill=c + (255,))


def fill(img, box, colour):
    x0, y0, x1, y1 = zoomed(box)
    ImageDraw.Draw(img).rectangle((x0, y0, x1 - 1, y1 - 1), fill=colour + (255,))


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def rgb(img):
    """The picture flattened onto white, without alpha."""
    base = Image.new("RGBA", img.size, WHITE + (255,))
    base.alpha_composite(img)
    return base.convert("RGB")


def save_bmp(img, path):
    """A Windows bitmap, 24 bits a pixel."""
    rgb(img).save(path, format="BMP")


def save_gif(img, path):
    """A GIF with an adaptive palette of at most 256 colours, dither-free."""
    rgb(img).quantize(colors=256, method=Image.Quantize.MEDIANCUT,
                      dither=Image.Dither.NONE).save(path, format="GIF")


def save_transparent_gif(size, path):
    """A fully transparent GIF: every pixel is palette entry 0, the transparent one."""
    img = Image.new("P", size, 0)
    img.putpalette([255, 255, 255] + [0, 0, 0] * 255)
    img.save(path, format="GIF", transparency=0)
