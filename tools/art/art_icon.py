# SPDX-License-Identifier: GPL-3.0-or-later
"""The program's icon: a rounded tile showing a dawn landscape with three goal lines
written over its sky -- what the program makes of a photograph.

The icon is a list of shapes on a 256 x 256 grid, written out twice from the same
list: as the scalable SVG and, with Pillow, as PNG pictures. Sizes of 32 pixels and
less get a simpler drawing whose edges sit on whole pixels (a 16-unit grid), since
the full one would blur there.
"""
import os
import shutil
import subprocess

from PIL import Image, ImageChops, ImageDraw

from art_common import AMBER, CREAM, INK, INK_LIGHT, TEAL, WHITE, font, mix

APP_ID = "io.github.dorvane.Dorvane"
PNG_SIZES = (16, 32, 48, 64, 128, 256)
GRID = 256
SUPERSAMPLE = 4

SKY_TOP = mix(INK, INK_LIGHT, 0.4)
SKY_LOW = mix(TEAL, CREAM, 0.55)
RIDGE_FAR = mix(INK_LIGHT, TEAL, 0.55)
RIDGE_NEAR = mix(INK, TEAL, 0.3)  # light enough to stand out on a dark panel
SUN = AMBER


def _sky(y0, y1):
    return ("gradient", y0, y1, [(0.0, SKY_TOP), (0.55, mix(SKY_TOP, TEAL, 0.7)), (1.0, SKY_LOW)])


def full_shapes():
    """The icon for 48 pixels and more (and the SVG)."""
    tile = (20, 20, 236, 236)
    return tile, 44, [
        {"kind": "rrect", "box": (20, 26, 236, 242), "r": 44, "fill": (0, 0, 0), "opacity": 0.22},
        {"kind": "rrect", "box": tile, "r": 44, "fill": _sky(20, 180)},
        {"kind": "circle", "c": (180, 166), "r": 32, "fill": SUN, "clip": True},
        {"kind": "polygon", "fill": RIDGE_FAR, "clip": True,
         "points": [(20, 178), (70, 140), (108, 166), (150, 134), (210, 170), (236, 156),
                    (236, 236), (20, 236)]},
        {"kind": "polygon", "fill": RIDGE_NEAR, "clip": True,
         "points": [(20, 206), (84, 176), (136, 196), (190, 178), (236, 192), (236, 236),
                    (20, 236)]},
        {"kind": "circle", "c": (60, 66), "r": 9, "fill": SUN},
        {"kind": "line", "points": [(82, 66), (184, 66)], "width": 14, "fill": WHITE},
        {"kind": "circle", "c": (60, 100), "r": 9, "fill": SUN},
        {"kind": "line", "points": [(82, 100), (162, 100)], "width": 14, "fill": WHITE},
        {"kind": "circle", "c": (60, 134), "r": 9, "fill": SUN},
        {"kind": "line", "points": [(82, 134), (134, 134)], "width": 14, "fill": WHITE},
    ]


def small_shapes():
    """The icon for 16 and 32 pixels: whole-pixel edges at 16, one ridge, two lines."""
    tile = (16, 16, 240, 240)
    return tile, 48, [
        {"kind": "rrect", "box": tile, "r": 48, "fill": _sky(16, 192)},
        {"kind": "circle", "c": (176, 176), "r": 40, "fill": SUN, "clip": True},
        {"kind": "polygon", "fill": RIDGE_NEAR, "clip": True,
         "points": [(16, 208), (80, 160), (144, 192), (208, 160), (240, 176), (240, 240),
                    (16, 240)]},
        {"kind": "rect", "box": (48, 64, 192, 96), "fill": WHITE},
        {"kind": "rect", "box": (48, 112, 128, 144), "fill": WHITE},
    ]


def _hex(colour):
    return "#%02x%02x%02x" % colour


def _svg_fill(fill, ids):
    if fill[0] != "gradient":
        return _hex(fill)
    _, y0, y1, stops = fill
    gid = "sky%d" % len(ids)
    ids.append('<linearGradient id="%s" gradientUnits="userSpaceOnUse" x1="0" y1="%g" x2="0" '
               'y2="%g">%s</linearGradient>' % (gid, y0, y1, "".join(
                   '<stop offset="%g" stop-color="%s"/>' % (o, _hex(c)) for o, c in stops)))
    return "url(#%s)" % gid


def _svg_shape(s, defs):
    paint = _svg_fill(s["fill"], defs)
    extra = ' opacity="%g"' % s["opacity"] if "opacity" in s else ""
    extra += ' clip-path="url(#tile)"' if s.get("clip") else ""
    kind = s["kind"]
    if kind in ("rrect", "rect"):
        x0, y0, x1, y1 = s["box"]
        rx = ' rx="%g"' % s["r"] if kind == "rrect" else ""
        return '<rect x="%g" y="%g" width="%g" height="%g"%s fill="%s"%s/>' % (
            x0, y0, x1 - x0, y1 - y0, rx, paint, extra)
    if kind == "circle":
        return '<circle cx="%g" cy="%g" r="%g" fill="%s"%s/>' % (*s["c"], s["r"], paint, extra)
    points = " ".join("%g,%g" % p for p in s["points"])
    if kind == "polygon":
        return '<polygon points="%s" fill="%s"%s/>' % (points, paint, extra)
    return ('<polyline points="%s" fill="none" stroke="%s" stroke-width="%g" '
            'stroke-linecap="round" stroke-linejoin="round"%s/>' % (points, paint, s["width"],
                                                                    extra))


def svg(tile, radius, shapes):
    defs = []
    body = [_svg_shape(s, defs) for s in shapes]
    x0, y0, x1, y1 = tile
    defs.append('<clipPath id="tile"><rect x="%g" y="%g" width="%g" height="%g" rx="%g"/>'
                '</clipPath>' % (x0, y0, x1 - x0, y1 - y0, radius))
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">\n'
            '<title>Dorvane</title>\n<defs>%s</defs>\n%s\n</svg>\n'
            % (GRID, GRID, GRID, GRID, "".join(defs), "\n".join(body)))


def _mask(shape, k):
    """The shape's coverage, drawn k times the grid."""
    size = round(GRID * k)
    mask = Image.new("L", (size, size), 0)
    d = ImageDraw.Draw(mask)
    kind = shape["kind"]
    if kind in ("rrect", "rect"):
        x0, y0, x1, y1 = (v * k for v in shape["box"])
        d.rounded_rectangle((x0, y0, x1 - 1, y1 - 1), shape.get("r", 0) * k, fill=255)
    elif kind == "circle":
        (cx, cy), r = shape["c"], shape["r"]
        d.ellipse(((cx - r) * k, (cy - r) * k, (cx + r) * k - 1, (cy + r) * k - 1), fill=255)
    elif kind == "polygon":
        d.polygon([(x * k, y * k) for x, y in shape["points"]], fill=255)
    else:
        w = shape["width"] * k
        points = [(x * k, y * k) for x, y in shape["points"]]
        d.line(points, fill=255, width=round(w), joint="curve")
        for x, y in (points[0], points[-1]):  # round caps
            d.ellipse((x - w / 2, y - w / 2, x + w / 2 - 1, y + w / 2 - 1), fill=255)
    return mask


def _layer(fill, px):
    if fill[0] != "gradient":
        return Image.new("RGBA", (px, px), fill + (255,))
    _, y0, y1, stops = fill
    layer = Image.new("RGBA", (px, px))
    d = ImageDraw.Draw(layer)
    for y in range(px):
        t = min(1.0, max(0.0, ((y + 0.5) * GRID / px - y0) / (y1 - y0)))
        for (o0, c0), (o1, c1) in zip(stops, stops[1:]):
            if o0 <= t <= o1:
                d.line((0, y, px - 1, y), fill=mix(c0, c1, (t - o0) / (o1 - o0)) + (255,))
                break
    return layer


def raster(tile, radius, shapes, px):
    """The icon as a px x px RGBA picture."""
    k = px * SUPERSAMPLE / GRID
    clip = _mask({"kind": "rrect", "box": tile, "r": radius}, k)
    img = Image.new("RGBA", (px, px), (0, 0, 0, 0))
    for s in shapes:
        mask = _mask(s, k)
        if s.get("clip"):
            mask = ImageChops.multiply(mask, clip)
        mask = mask.resize((px, px), Image.BOX)
        if "opacity" in s:
            mask = mask.point(lambda v, o=s["opacity"]: round(v * o))
        layer = _layer(s["fill"], px)
        layer.putalpha(mask)
        img.alpha_composite(layer)
    return img


def icon(px):
    return raster(*(small_shapes() if px <= 32 else full_shapes()), px)


def write_icons(out_dir):
    """resources/icons/: APP_ID.svg and dorvane_N.png for each size."""
    os.makedirs(out_dir, exist_ok=True)
    with open(os.path.join(out_dir, APP_ID + ".svg"), "w", encoding="utf-8") as f:
        f.write(svg(*full_shapes()))
    for px in PNG_SIZES:
        icon(px).save(os.path.join(out_dir, "dorvane_%d.png" % px), optimize=True)


def _svg_picture(path, px):
    """An SVG drawn by librsvg (rsvg-convert), or None when it is not installed."""
    if not shutil.which("rsvg-convert"):
        return None
    png = subprocess.run(["rsvg-convert", "-w", str(px), "-h", str(px), path],
                         check=True, capture_output=True).stdout
    from io import BytesIO
    return Image.open(BytesIO(png)).convert("RGBA")


# Icons of programs installed on this machine, shown beside ours for comparison.
PEERS = ["/usr/share/icons/hicolor/scalable/apps/gvim.svg",
         "/usr/share/icons/hicolor/scalable/apps/feh.svg",
         "/usr/share/icons/hicolor/scalable/apps/mate-desktop.svg"]


def icon_sheet(icon_dir):
    """Our PNGs at 16, 32, 48 and 256 px and the SVG as librsvg draws it at 256, on a
    light and a dark ground, with a few icons of other programs at 48 and 256."""
    ours = [("%d px" % px, Image.open(os.path.join(icon_dir, "dorvane_%d.png" % px)))
            for px in (16, 32, 48, 256)]
    svg_256 = _svg_picture(os.path.join(icon_dir, APP_ID + ".svg"), 256)
    if svg_256:
        ours.append(("SVG (librsvg)", svg_256))
    peers = []
    for path in PEERS:
        if os.path.exists(path):
            for px in (48, 256):
                pic = _svg_picture(path, px)
                if pic:
                    peers.append(("%s %d" % (os.path.basename(path)[:-4], px), pic))
    cells = ours + peers
    width = sum(max(img.width, 90) + 24 for _, img in cells) + 24
    sheet = Image.new("RGB", (width, 2 * 300), WHITE)
    d = ImageDraw.Draw(sheet)
    for row, (ground, ink) in enumerate((((246, 245, 244), (40, 40, 40)),
                                         ((36, 36, 36), (220, 220, 220)))):
        top = row * 300
        d.rectangle((0, top, width, top + 299), fill=ground)
        x = 24
        for label, img in cells:
            sheet.paste(img, (x, top + 20 + 256 - img.height), img)
            d.text((x, top + 282), label, font=font("Medium", 11), fill=ink)
            x += max(img.width, 90) + 24
    return sheet
