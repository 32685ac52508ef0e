# SPDX-License-Identifier: GPL-3.0-or-later
"""Proofs for the eye (never shipped): a contact sheet of every picture with its
name, and the main window assembled from the skin at its real places."""
from PIL import Image, ImageChops, ImageDraw

from art_common import CREAM, KEY, font
from art_skin import PLACES, WINDOW_H, WINDOW_W

SHEET_WIDTH = 1500
SHEET_BG = (200, 200, 204)


def checkerboard(size, cell=6):
    img = Image.new("RGB", size, (236, 236, 236))
    d = ImageDraw.Draw(img)
    for y in range(0, size[1], cell):
        for x in range((y // cell) % 2 * cell, size[0], cell * 2):
            d.rectangle((x, y, x + cell - 1, y + cell - 1), fill=(190, 190, 190))
    return img


def key_to_alpha(img, key):
    """RGBA copy where every pixel of colour key is transparent."""
    rgba = img.convert("RGBA")
    px = rgba.load()
    for y in range(rgba.height):
        for x in range(rgba.width):
            if px[x, y][:3] == key:
                px[x, y] = (0, 0, 0, 0)
    return rgba


def contact_sheet(images):
    """images: list of (name, PIL image). Small pictures are shown again, enlarged 4x."""
    label_font = font("Medium", 11)
    cells = []
    for name, img in images:
        shown = img.convert("RGBA")
        if img.width <= 40 and img.height <= 40 and img.width * img.height > 1:
            big = shown.resize((img.width * 4, img.height * 4), Image.NEAREST)
            both = Image.new("RGBA", (img.width + 8 + big.width, big.height), (0, 0, 0, 0))
            both.paste(shown, (0, 0))
            both.paste(big, (img.width + 8, 0))
            shown = both
        label = "%s  %dx%d" % (name, img.width, img.height)
        w = max(shown.width, int(label_font.getlength(label))) + 16
        cells.append((shown, label, w, shown.height + 34))
    rows, row, x = [], [], 0
    for cell in cells:
        if row and x + cell[2] > SHEET_WIDTH:
            rows.append(row)
            row, x = [], 0
        row.append(cell)
        x += cell[2]
    rows.append(row)
    height = sum(max(c[3] for c in r) for r in rows) + 16
    sheet = Image.new("RGB", (SHEET_WIDTH, height), SHEET_BG)
    d = ImageDraw.Draw(sheet)
    y = 8
    for r in rows:
        x = 8
        for shown, label, w, h in r:
            bg = checkerboard(shown.size)
            bg.paste(shown, (0, 0), shown)
            sheet.paste(bg, (x, y))
            d.text((x, y + shown.height + 6), label, font=label_font, fill=(20, 20, 20))
            x += w
        y += max(c[3] for c in r)
    return sheet


def paste_face(win, face, left, top, transparent, zoom=1):
    """A button face at its place; transparent faces leave out their bottom-left colour."""
    face = face.convert("RGB")
    at = (left * zoom, top * zoom)
    if transparent:
        win.paste(face, at, key_to_alpha(face, face.getpixel((0, face.height - 1))))
    else:
        win.paste(face, at)


def window_mockup(skin, buttons, page=1, body=None, quote=None, body_width=385, zoom=1):
    """The 678 x 517 window on a checkerboard desktop: skin and buttons with the side
    button of `page` pressed, a body picture (cut to body_width x 412) and a
    quotation picture (black on white, tinted to the column's cream) at their
    places. Key-coloured pixels show the desktop through. With zoom 2, the @2x
    pictures make the window at twice the resolution (no body or quotation)."""
    win = Image.new("RGB", (WINDOW_W * zoom, WINDOW_H * zoom), (255, 255, 255))
    for name, (left, top, _, _) in PLACES.items():
        win.paste(skin[name].convert("RGB"), (left * zoom, top * zoom))
    for n in range(1, 6):
        state = "down" if n == page else "up"
        paste_face(win, buttons["btn_%d_%s" % (n, state)], 10, 65 + 39 * (n - 1), False, zoom)
    paste_face(win, buttons["btn_addRes_up"], 15, 284, False, zoom)
    paste_face(win, buttons["btn_about_up"], 15, 450, True, zoom)
    paste_face(win, buttons["btn_min_up"], 624, 12, True, zoom)
    paste_face(win, buttons["btn_close_up"], 647, 12, True, zoom)
    if quote is not None:
        cream = Image.new("RGB", (144, 265), CREAM)
        text = Image.new("RGB", (144, 265), (255, 255, 255))
        text.paste(quote.convert("RGB"), (0, 0))  # paste() cuts what does not fit
        win.paste(ImageChops.multiply(cream, text), (516, 128))
    if body is not None:
        panel = Image.new("RGB", (body_width, 412), (255, 255, 255))
        panel.paste(body.convert("RGB"), (0, 0))
        win.paste(panel, (131, 66))
    desk = checkerboard((WINDOW_W * zoom + 40, WINDOW_H * zoom + 40), 10)
    desk.paste(win, (20, 20), key_to_alpha(win, KEY))
    return desk
