# SPDX-License-Identifier: GPL-3.0-or-later
"""The fixed pictures of the window's frame (the skin).

The window is 678 x 517 pixels; the border pictures reach to 680 x 519 and are
shown clipped, so the rounded corners sit at the window's visible corners (the
last visible column is 677, the last visible row of the bottom border is 38).
"""
import math

import art_common
from art_common import (AMBER, CREAM, INK, INK_LIGHT, INK_LINE, KEY, SAND, SAND_LIGHT,
                        SAND_LINE, fill, font, line, mix, new, polygon, ellipse, text,
                        vgradient)

WINDOW_W, WINDOW_H = 678, 517

# The rounded corners: a pixel is see-through when its centre lies outside a circle
# of this radius (1x pixels) that touches both edges. At 1x that is 23 pixels a
# corner, in rows of 7, 5, 4, 3, 2, 1, 1 from the outermost row inwards; at 2x the
# same circle traced at the finer grid.
CORNER_RADIUS = 10.35

# Places of the skin pictures in the window: name -> (left, top, width, height).
PLACES = {
    "imgBorderTop": (0, 0, 680, 38),
    "imgHeader": (0, 38, 680, 27),
    "imgBorderLeft": (0, 65, 10, 413),
    "imgButtonBottom": (10, 260, 110, 218),
    "imgButtonsSide": (120, 65, 11, 413),
    "imgBodyTop": (131, 65, 385, 1),
    "imgQuote": (516, 65, 144, 413),
    "imgBorderRight": (660, 65, 20, 413),
    "imgBorderBottom": (0, 478, 680, 41),
}


def corner_rows(zoom):
    """Key-coloured pixels per row of one corner, outermost row first."""
    r = CORNER_RADIUS * zoom
    rows = []
    for y in range(math.ceil(r)):
        dy = r - (y + 0.5)
        count = math.ceil(r - math.sqrt(r * r - dy * dy) - 0.5)
        if count <= 0:
            break
        rows.append(count)
    return rows


assert corner_rows(1) == [7, 5, 4, 3, 2, 1, 1]


def cut_corner(img, x_edge, y_edge, right, bottom):
    """Paints one rounded corner in key colour. x_edge, y_edge: the window's edge in
    1x pixels (0 for the left/top edge, the exclusive end for the right/bottom one)."""
    px = img.load()
    zoom = art_common.ZOOM
    for r, count in enumerate(corner_rows(zoom)):
        y = y_edge * zoom - 1 - r if bottom else r
        for c in range(count):
            x = x_edge * zoom - 1 - c if right else c
            px[x, y] = KEY + (255,)


def frame_logo(img, x, y):
    """The program's mark: a sun rising over a ridge, in a 22 x 22 square."""
    ellipse(img, (x + 5, y + 3, x + 17, y + 15), AMBER)
    polygon(img, [(x, y + 19), (x + 7, y + 10), (x + 11, y + 14), (x + 15, y + 9),
                  (x + 22, y + 19)], INK_LIGHT)
    line(img, [(x, y + 19.5), (x + 22, y + 19.5)], SAND, 1.2)


def border_top():
    img = new((680, 38), INK)
    frame_logo(img, 14, 7)
    text(img, (44, 19), "Dorvane", font("SemiBold", 16), CREAM, anchor="lm")
    fill(img, (678, 0, 680, 38), KEY)  # beyond the window's right edge: never shown
    cut_corner(img, 0, 0, False, False)
    cut_corner(img, WINDOW_W, 0, True, False)
    return img


def header():
    img = new((680, 27), INK)
    vgradient(img, (10, 0, 660, 27), INK_LIGHT, mix(INK_LIGHT, INK, 0.35))
    fill(img, (10, 0, 660, 1), INK_LINE)
    text(img, (WINDOW_W / 2, 14), "Write your goals down, and keep them where you will see them.",
         font("Regular", 11), mix(INK_LIGHT, CREAM, 0.8), anchor="mm")
    return img


def border_left():
    return new((10, 413), INK)


def border_right():
    return new((20, 413), INK)


def border_bottom():
    img = new((680, 41), INK)
    fill(img, (0, 39, 680, 41), KEY)  # below the window's bottom edge: never shown
    fill(img, (678, 0, 680, 41), KEY)
    cut_corner(img, 0, WINDOW_H - 478, False, True)  # the border's top is at 478
    cut_corner(img, WINDOW_W, WINDOW_H - 478, True, True)
    return img


def buttons_side():
    return new((11, 413), INK)


def body_top():
    return new((385, 1), SAND_LINE)


def hills_emblem(img, cx, cy, colour, sun):
    """A quiet line drawing: a sun above two ridges, about 60 x 30 pixels."""
    ellipse(img, (cx - 6, cy - 14, cx + 6, cy - 2), sun)
    line(img, [(cx - 30, cy + 10), (cx - 14, cy - 4), (cx - 4, cy + 4), (cx + 10, cy - 8),
               (cx + 30, cy + 10)], colour, 1.6)
    line(img, [(cx - 30, cy + 14), (cx + 30, cy + 14)], colour, 1.2)


def button_bottom():
    img = new((110, 218), SAND_LIGHT)
    line(img, [(12, 12.5), (98, 12.5)], SAND_LINE, 1)
    hills_emblem(img, 55, 138, SAND_LINE, mix(SAND_LIGHT, AMBER, 0.35))
    line(img, [(12, 184.5), (98, 184.5)], SAND_LINE, 1)
    return img


def quote_column():
    img = new((144, 413), CREAM)
    # A large opening quotation mark above the quotation text (which starts 63 down).
    serif = font_serif(64)
    text(img, (72, 46), "\u201c", serif, mix(CREAM, AMBER, 0.55), anchor="ms")
    line(img, [(22, 350.5), (122, 350.5)], mix(CREAM, SAND_LINE, 0.9), 1)
    polygon(img, [(72, 347), (75.5, 350.5), (72, 354), (68.5, 350.5)], mix(CREAM, AMBER, 0.7))
    return img


def font_serif(size):
    from PIL import ImageFont
    return ImageFont.truetype(
        "/usr/share/fonts/truetype/liberation2/LiberationSerif-Bold.ttf", size)


def make_skin():
    """Every skin picture: resource name -> image."""
    return {
        "imgBorderTop": border_top(),
        "imgHeader": header(),
        "imgBorderLeft": border_left(),
        "imgButtonBottom": button_bottom(),
        "imgButtonsSide": buttons_side(),
        "imgBodyTop": body_top(),
        "imgQuote": quote_column(),
        "imgBorderRight": border_right(),
        "imgBorderBottom": border_bottom(),
    }
