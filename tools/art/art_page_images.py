# SPDX-License-Identifier: GPL-3.0-or-later
"""The images that the page texts name: link buttons with their pressed faces, the
divider bar and the about page's background. They sit on the pages' white ground."""
import art_common
from art_common import (AMBER, AMBER_DARK, BRICK, CREAM, INK, INK_LIGHT, SAND, SAND_LINE, TEAL,
                        TEAL_DARK, TEAL_DEEP, WHITE, ellipse, fill, font, line, mix, new,
                        polygon, rounded_frame, rounded_rect, text, text_centred, vgradient)

# name -> (width, height, label, style). Styles: "go" (the first step, amber),
# "primary" (filled), "secondary" (outlined), "danger" (outlined in brick red).
CLICK_BUTTONS = {
    "StartNow": (140, 31, "Start now  \u203a", "go"),
    "FindImage": (81, 22, "Add picture", "secondary"),
    "Continue": (81, 23, "Continue  \u203a", "primary"),
    "Preview": (81, 21, "Preview", "secondary"),
    "Save": (81, 21, "Save", "secondary"),
    "SetBack": (121, 21, "Set as wallpaper", "primary"),
    "Load": (81, 21, "Load", "secondary"),
    "Delete": (80, 20, "Delete", "danger"),
}

GO = mix(AMBER, AMBER_DARK, 0.6)  # deep enough for white letters

_STYLES = {
    # style: (fill, border, text, pressed fill, pressed border, pressed text)
    "go": (GO, mix(GO, INK, 0.25), WHITE, mix(GO, INK, 0.22), mix(GO, INK, 0.45), WHITE),
    "primary": (TEAL, TEAL_DARK, WHITE, TEAL_DARK, TEAL_DEEP, WHITE),
    "secondary": (WHITE, TEAL, TEAL_DARK, mix(WHITE, TEAL, 0.16), TEAL_DARK, TEAL_DEEP),
    "danger": (WHITE, BRICK, BRICK, mix(WHITE, BRICK, 0.14), mix(BRICK, INK, 0.3),
               mix(BRICK, INK, 0.3)),
}


def click_button(width, height, label, style, pressed):
    """A rounded button on white; pressed, it is darker, its label one pixel lower and
    a shadow lines its top edge."""
    colours = _STYLES[style]
    face, border, ink = colours[3:] if pressed else colours[:3]
    img = new((width, height), WHITE)
    box = (0, 0, width, height)
    radius = min(6, height / 2 - 1)
    rounded_rect(img, box, radius, face)
    rounded_frame(img, box, radius, border, 1.0)
    if pressed:
        shadow = mix(face, INK, 0.35)
        line(img, [(radius, 1.6), (width - radius, 1.6)], shadow, 1.2)
    size = 14 if height >= 30 else 11
    weight = "Bold" if style == "go" else "SemiBold"
    text_centred(img, box, label, font(weight, size), ink, dy=(1 if pressed else 0))
    return img


def bar():
    """376 x 7: a fine rule that fades out at both ends, with a small amber diamond."""
    img = new((376, 7), WHITE)
    zoom = art_common.ZOOM
    for x in range(376 * zoom):  # device pixels: the fade is as smooth as the grid
        t = min(1.0, min(x, 376 * zoom - 1 - x) / (90 * zoom))
        fill(img, (x / zoom, 3, (x + 1) / zoom, 4), mix(WHITE, SAND_LINE, t))
    polygon(img, [(188, 0), (191.5, 3.5), (188, 7), (184.5, 3.5)], AMBER)
    return img


def about_background():
    """384 x 412: a dawn landscape as the title of the about page, a white writing area
    below it and low, faint hills at the foot."""
    img = new((384, 412), WHITE)
    vgradient(img, (0, 0, 384, 40), INK, mix(INK_LIGHT, TEAL, 0.5))
    vgradient(img, (0, 40, 384, 74), mix(INK_LIGHT, TEAL, 0.5), mix(TEAL, CREAM, 0.55))
    ellipse(img, (212, 30, 262, 80), mix(AMBER, CREAM, 0.25))
    ellipse(img, (220, 38, 254, 72), AMBER)
    polygon(img, [(0, 74), (0, 50), (60, 34), (120, 52), (170, 40), (230, 60), (300, 44),
                  (384, 58), (384, 74)], mix(INK_LIGHT, TEAL, 0.5))
    polygon(img, [(0, 74), (0, 62), (80, 54), (150, 66), (240, 56), (320, 68), (384, 60),
                  (384, 74)], INK_LIGHT)
    fill(img, (0, 76, 384, 84), WHITE)  # the sun sets behind the horizon line
    fill(img, (0, 74, 384, 76), AMBER)
    # The foot: two pale ridges, far lighter than any text above them.
    polygon(img, [(0, 412), (0, 384), (70, 366), (140, 382), (220, 362), (300, 380),
                  (384, 368), (384, 412)], mix(WHITE, SAND, 0.35))
    polygon(img, [(0, 412), (0, 398), (90, 388), (180, 400), (270, 390), (384, 398),
                  (384, 412)], mix(WHITE, SAND, 0.6))
    return img


def make_page_images():
    """name -> (image, kind) with kind "gif" for the page images and "bmp" for the
    pressed faces; the spacer is made separately (it is transparent)."""
    out = {"gifBar": (bar(), "gif"), "gifAboutDV": (about_background(), "gif")}
    for name, (w, h, label, style) in CLICK_BUTTONS.items():
        out["gifClick%s_up" % name] = (click_button(w, h, label, style, False), "gif")
        out["bmpClick%s_down" % name] = (click_button(w, h, label, style, True), "bmp")
    return out

