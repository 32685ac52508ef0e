#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws all of Dorvane's artwork from code and writes it into resources/.

    tools/art/make_art.py [--proofs DIR]

Writes resources/images/*.gif|bmp (page images and their pressed faces) and
resources/skin/*.bmp (window skin and button faces), each also drawn at twice the
resolution for HiDPI screens as NAME@2x beside it, and the program's icon into
resources/icons/. Then, into DIR (default build/art-proofs), contact_sheet.png,
window_mockup.png, window_mockup@2x.png and icon_sheet.png for checking by eye;
with --demo, also window_page_N.png: pages drawn by the HTML view in the window.
Needs Pillow and the Inter font: scripts/install-deps --tools. Uses the system's
Python (/usr/bin/python3), where Debian's python3-pil lives.
"""
import argparse
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True
sys.path.insert(0, HERE)

from art_buttons import make_buttons  # noqa: E402
from art_common import save_bmp, save_gif, save_transparent_gif, set_zoom  # noqa: E402
from art_icon import icon_sheet, write_icons  # noqa: E402
from art_page_images import make_page_images  # noqa: E402
from art_sheet import contact_sheet, window_mockup  # noqa: E402
from art_skin import make_skin  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(HERE))


def file_stem(name):
    """gifClickStartNow_up -> click_start_now_up; btn_addRes_up -> btn_add_res_up."""
    stem = re.sub(r"^(gif|bmp|img)(?=[A-Z])", "", name)
    stem = re.sub(r"(?<=[a-z0-9])([A-Z])", r"_\1", stem)
    return re.sub(r"([A-Z]+)", lambda m: m.group(1).lower(), stem)


ZOOMS = ((1, ""), (2, "@2x"))  # resolution and the suffix of its resource names


def write_all(out_root):
    """Writes every picture at each zoom; returns [(resource type, name, path, image)]."""
    made = []
    images_dir = os.path.join(out_root, "images")
    skin_dir = os.path.join(out_root, "skin")
    os.makedirs(images_dir, exist_ok=True)
    os.makedirs(skin_dir, exist_ok=True)
    for zoom, suffix in ZOOMS:
        set_zoom(zoom)
        spacer = os.path.join(images_dir, "spacer%s.gif" % suffix)
        save_transparent_gif((zoom, zoom), spacer)
        made.append(("GIF", "gifSpacer" + suffix, spacer, None))
        for name, (img, kind) in make_page_images().items():
            path = os.path.join(images_dir, file_stem(name) + suffix + "." + kind)
            (save_gif if kind == "gif" else save_bmp)(img, path)
            made.append(("GIF" if kind == "gif" else "BITMAP", name + suffix, path, img))
        for name, img in list(make_skin().items()) + list(make_buttons().items()):
            path = os.path.join(skin_dir, file_stem(name) + suffix + ".bmp")
            save_bmp(img, path)
            made.append(("BITMAP", name + suffix, path, img))
    set_zoom(1)
    return made


def pictures_at(shown, suffix):
    """The skin pictures and button faces of one zoom, by their 1x names."""
    at_zoom = {}
    for name, img in shown:
        base, at, tag = name.partition("@")
        if at + tag == suffix:
            at_zoom[base] = img
    return ({n: img for n, img in at_zoom.items() if n.startswith("img")},
            {n: img for n, img in at_zoom.items() if n.startswith("btn_")})


def write_proofs(made, proof_dir, demo):
    from PIL import Image
    os.makedirs(proof_dir, exist_ok=True)
    shown = [(name, Image.open(path)) for _, name, path, _ in made]
    written = [os.path.join(proof_dir, "contact_sheet.png")]
    contact_sheet([(n, img) for n, img in shown if "@" not in n]).save(written[0])
    for zoom, suffix in ZOOMS:
        skin, buttons = pictures_at(shown, suffix)
        written.append(os.path.join(proof_dir, "window_mockup%s.png" % suffix))
        window_mockup(skin, buttons, page=1, zoom=zoom).save(written[-1])
    written.append(os.path.join(proof_dir, "icon_sheet.png"))
    icon_sheet(os.path.join(ROOT, "resources", "icons")).save(written[-1])
    if demo:
        skin, buttons = pictures_at(shown, "")
        for page, body, quote, width in PAGE_MOCKUPS:
            pictures = render_pages(demo, proof_dir, body, quote, width)
            written.append(os.path.join(proof_dir, "window_page_%d.png" % page))
            window_mockup(skin, buttons, page, *pictures, body_width=width).save(written[-1])
    return written


# page, body text, quotation text, body width: the pages shown in one HTML view.
PAGE_MOCKUPS = [(1, "html_body_1", None, 529), (3, "html_body_3", "html_quote_3", 385),
                (6, "html_body_6", "html_quote_6", 385), (7, "html_body_7", "html_quote_7", 385)]


def render_pages(demo, proof_dir, body, quote, width):
    """Renders page texts with the HTML view's demo program (build/src/htmlview/
    htmlview_demo), which takes its images from the resources it was built with."""
    import subprocess
    from PIL import Image
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    out = []
    for name, w in ((body, width), (quote, 144)):
        if name is None:
            out.append(None)
            continue
        png = os.path.join(proof_dir, name + ".png")
        subprocess.run([demo, os.path.join(ROOT, "resources", "pages", name + ".html"),
                        "--width", str(w), "--png", png], env=env, check=True,
                       stderr=subprocess.DEVNULL)
        out.append(Image.open(png))
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--proofs", default=os.path.join(ROOT, "build", "art-proofs"))
    parser.add_argument("--demo", help="the HTML view's demo program, to draw the pages "
                        "into window mock-ups too (e.g. build/src/htmlview/htmlview_demo)")
    parser.add_argument("--list", action="store_true",
                        help="print the lines for resources/resources.list")
    args = parser.parse_args()
    made = write_all(os.path.join(ROOT, "resources"))
    write_icons(os.path.join(ROOT, "resources", "icons"))
    if args.list:
        for kind, name, path, _ in made:
            print("%s %s %s" % (kind, name, os.path.relpath(path, os.path.join(ROOT, "resources"))))
    for path in write_proofs(made, args.proofs, args.demo):
        print("wrote", os.path.relpath(path, ROOT))


if __name__ == "__main__":
    main()
