#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws all of Dorvane's artwork from code and writes it into resources/.

    tools/art/make_art.py [--proofs DIR]

Writes resources/images/*.gif|bmp (page images and their pressed faces) and
resources/skin/*.bmp (window skin and button faces), then, into DIR (default
build/art-proofs), contact_sheet.png and window_mockup.png for checking by eye.
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
from art_common import save_bmp, save_gif, save_transparent_gif  # noqa: E402
from art_page_images import make_page_images  # noqa: E402
from art_sheet import contact_sheet, window_mockup  # noqa: E402
from art_skin import make_skin  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(HERE))
SAMPLE_QUOTE = ["\u00bbWell begun", "is half done.\u00ab", "", "Aristotle"]


def file_stem(name):
    """gifClickStartNow_up -> click_start_now_up; btn_addRes_up -> btn_add_res_up."""
    stem = re.sub(r"^(gif|bmp|img)(?=[A-Z])", "", name)
    stem = re.sub(r"(?<=[a-z0-9])([A-Z])", r"_\1", stem)
    return re.sub(r"([A-Z]+)", lambda m: m.group(1).lower(), stem)


def write_all(out_root):
    """Writes every picture; returns [(resource type, name, path, PIL image)]."""
    made = []
    images_dir = os.path.join(out_root, "images")
    skin_dir = os.path.join(out_root, "skin")
    os.makedirs(images_dir, exist_ok=True)
    os.makedirs(skin_dir, exist_ok=True)

    spacer = os.path.join(images_dir, "spacer.gif")
    save_transparent_gif((1, 1), spacer)
    made.append(("GIF", "gifSpacer", spacer, None))
    for name, (img, kind) in make_page_images().items():
        path = os.path.join(images_dir, file_stem(name) + "." + kind)
        (save_gif if kind == "gif" else save_bmp)(img, path)
        made.append(("GIF" if kind == "gif" else "BITMAP", name, path, img))
    for name, img in list(make_skin().items()) + list(make_buttons().items()):
        path = os.path.join(skin_dir, file_stem(name) + ".bmp")
        save_bmp(img, path)
        made.append(("BITMAP", name, path, img))
    return made


def write_proofs(made, proof_dir):
    from PIL import Image
    os.makedirs(proof_dir, exist_ok=True)
    shown = [(name, Image.open(path)) for _, name, path, _ in made]
    sheet = os.path.join(proof_dir, "contact_sheet.png")
    contact_sheet(shown).save(sheet)
    by_name = dict(shown)
    skin = {n: by_name[n] for n in by_name if n.startswith("img")}
    buttons = {n: by_name[n] for n in by_name if n.startswith("btn_")}
    mock = os.path.join(proof_dir, "window_mockup.png")
    window_mockup(skin, buttons, by_name["gifAboutDV"], SAMPLE_QUOTE, page=1).save(mock)
    return sheet, mock


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--proofs", default=os.path.join(ROOT, "build", "art-proofs"))
    parser.add_argument("--list", action="store_true",
                        help="print the lines for resources/resources.list")
    args = parser.parse_args()
    made = write_all(os.path.join(ROOT, "resources"))
    if args.list:
        for kind, name, path, _ in made:
            print("%s %s %s" % (kind, name, os.path.relpath(path, os.path.join(ROOT, "resources"))))
    for path in write_proofs(made, args.proofs):
        print("wrote", os.path.relpath(path, ROOT))


if __name__ == "__main__":
    main()
