#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The wallpaper composition with Pillow, as the peer of BM_SetWallpaper4K: a
photo-like 1600x900 picture resized to 3840x2160 (bilinear), the same seven goals
at 24 points (32 pixels at 96 dpi) drawn white over a black shadow one pixel
down-right, with bullets and the same line steps, saved as a 24-bit BMP.

Usage: wallpaper_pillow.py FOLDER RUNS   prints one wall-clock time in ms per run.
"""
import sys
import time

import numpy as np
from PIL import Image, ImageDraw, ImageFont

W, H = 3840, 2160
FONT = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf"
WORDS = "Keep going every day and write down what moved you forward "


def main():
    folder, runs = sys.argv[1], int(sys.argv[2])
    y, x = np.mgrid[0:900, 0:1600]
    picture = Image.fromarray(
        np.dstack([(x * 2 // 15) % 256, (y * 2 // 9) % 256, (x ^ y) & 255]).astype(np.uint8), "RGB")
    font = ImageFont.truetype(FONT, 32)
    goals = ["\u2022 " + WORDS[i:i + 59] + "!" for i in range(1, 8)]
    for _ in range(runs):
        start = time.perf_counter()
        board = picture.resize((W, H), Image.BILINEAR)
        draw = ImageDraw.Draw(board)
        top = 10
        for goal in goals:
            draw.text((11, top + 1), goal, font=font, fill=(0, 0, 0))
            draw.text((10, top), goal, font=font, fill=(255, 255, 255))
            top += 38 + 22  # line step and goal gap at 24 points
        board.save(f"{folder}/pillow_wallpaper.bmp")
        print(f"{(time.perf_counter() - start) * 1e3:.3f}")


if __name__ == "__main__":
    main()
