# SPDX-License-Identifier: GPL-3.0-or-later
"""The faces of the window's image buttons: five side buttons, the resources and
about buttons, minimise and close. Each has an up face and a pressed (down) face.

The about, minimise and close faces are drawn transparently by the window: the
colour of a face's bottom-left pixel is see-through. They are therefore painted on
the colour of the skin beneath them, so their smooth edges blend into it.
"""
from art_common import (AMBER, AMBER_DARK, INK, INK_LIGHT, INK_LINE, SAND_LIGHT, SAND_LINE,
                        SAND_MID, TEAL, TEAL_DARK, TEAL_DEEP, TEXT, TEXT_SOFT, WHITE, CREAM,
                        ellipse, fill, font, line, mix, new, ring, rounded_frame, rounded_rect,
                        text, text_centred)

SIDE_LABELS = ["Introduction", "Background", "Your goals", "Preview", "Saved work"]


def side_button(number, label, pressed):
    """110 x 39: a numbered step. The pressed face marks the page shown."""
    if pressed:
        img = new((110, 39), TEAL)
        fill(img, (0, 0, 110, 2), TEAL_DEEP)  # inner shadow: the face sits lower
        fill(img, (0, 2, 110, 3), TEAL_DARK)
        fill(img, (0, 0, 4, 39), AMBER)
        ellipse(img, (9, 11, 27, 29), AMBER)
        text_centred(img, (9, 11, 27, 29), str(number), font("Bold", 11), WHITE)
        text(img, (33, 20.5), label, font("SemiBold", 12), WHITE, anchor="lm")
        return img
    img = new((110, 39), SAND_LIGHT)
    fill(img, (0, 38, 110, 39), SAND_LINE)
    ring(img, (9, 10, 27, 28), TEAL, 1.4)
    text_centred(img, (9, 10, 27, 28), str(number), font("SemiBold", 11), TEAL)
    text(img, (33, 19.5), label, font("Medium", 12), TEXT, anchor="lm")
    return img


def globe(img, x, y, colour, size=22):
    """A line-drawn globe in a size x size square at (x, y)."""
    ring(img, (x, y, x + size, y + size), colour, 1.5)
    ring(img, (x + size * 0.28, y, x + size * 0.72, y + size), colour, 1.3)
    line(img, [(x + 1, y + size / 2), (x + size - 1, y + size / 2)], colour, 1.3)
    line(img, [(x + size / 2, y + 1), (x + size / 2, y + size - 1)], colour, 1.3)


def add_res_button(pressed):
    """101 x 66: opens the additional resources page."""
    img = new((101, 66), SAND_LIGHT)
    d = 1 if pressed else 0
    card = (0, 0, 101, 66)
    rounded_rect(img, card, 7, SAND_MID if pressed else WHITE)
    rounded_frame(img, card, 7, TEAL if pressed else SAND_LINE, 1.2)
    if pressed:
        line(img, [(6, 1.8), (95, 1.8)], mix(SAND_MID, TEAL_DEEP, 0.3), 1.4)
    globe(img, 41 + d, 7 + d, AMBER_DARK if pressed else AMBER, 19)
    ink = TEAL_DARK if pressed else TEXT
    text_centred(img, (0, 30, 101, 44), "Goal-setting", font("SemiBold", 11), ink, dy=d)
    text_centred(img, (0, 44, 101, 58), "resources", font("SemiBold", 11), ink, dy=d)
    return img


def about_button(pressed):
    """101 x 25 over the side column; its bottom-left pixel is the column's colour."""
    img = new((101, 25), SAND_LIGHT)
    # Pressed, the face sinks by a pixel and moves one to the left, so that the
    # text keeps clear of the frame's rounded right end.
    dx, d = (-1, 1) if pressed else (0, 0)
    if pressed:
        rounded_rect(img, (1, 1, 100, 24), 11, SAND_MID)
        rounded_frame(img, (1, 1, 100, 24), 11, SAND_LINE, 1)
    colour = TEAL_DARK if pressed else TEXT_SOFT
    ring(img, (7 + dx, 6.5 + d, 19 + dx, 18.5 + d), colour, 1.2)
    text_centred(img, (7 + dx, 6.5 + d, 19 + dx, 18.5 + d), "i", font("Bold", 8), colour)
    text(img, (24 + dx, 12.5 + d), "About Dorvane", font("Medium", 10), colour, anchor="lm")
    return img


def chrome_button(glyph, pressed):
    """19 x 19 on the top border: a round button with a minus or a cross."""
    img = new((19, 19), INK)
    if pressed:
        ellipse(img, (1, 1, 18, 18), AMBER)
        ellipse(img, (1, 1, 18, 18.0), AMBER)
        ring(img, (1, 1, 18, 18), AMBER_DARK, 1.2)
        mark = WHITE
    else:
        ellipse(img, (1, 1, 18, 18), INK_LIGHT)
        ring(img, (1, 1, 18, 18), INK_LINE, 1)
        mark = CREAM
    d = 0.5 if pressed else 0
    if glyph == "min":
        line(img, [(6 + d, 10 + d), (13 + d, 10 + d)], mark, 1.6)
    else:
        line(img, [(6.5 + d, 6.5 + d), (12.5 + d, 12.5 + d)], mark, 1.6)
        line(img, [(12.5 + d, 6.5 + d), (6.5 + d, 12.5 + d)], mark, 1.6)
    return img


def make_buttons():
    """Every button face: resource name -> image."""
    faces = {}
    for n, label in enumerate(SIDE_LABELS, start=1):
        faces["btn_%d_up" % n] = side_button(n, label, False)
        faces["btn_%d_down" % n] = side_button(n, label, True)
    for state in ("up", "down"):
        pressed = state == "down"
        faces["btn_addRes_" + state] = add_res_button(pressed)
        faces["btn_about_" + state] = about_button(pressed)
        faces["btn_min_" + state] = chrome_button("min", pressed)
        faces["btn_close_" + state] = chrome_button("close", pressed)
    return faces
