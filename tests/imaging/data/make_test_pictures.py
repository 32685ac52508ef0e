#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Rebuilds the small test pictures of this folder (python3-pil, libjpeg-turbo-progs):
#   tests/imaging/data/make_test_pictures.py
# The .ppm/.pgm files are what djpeg -dct int makes of the JPEGs. (Not -nosmooth:
# that switch turns off djpeg's fancy upsampling of the colour planes, which the
# program keeps on; block smoothing has no switch and no effect on complete files.)
import os
import random
import subprocess

from PIL import Image

os.chdir(os.path.dirname(os.path.abspath(__file__)))
random.seed(7)


def pattern(width, height):
    """Smooth gradients with a little noise, so that the DCT has work to do."""
    img = Image.new("RGB", (width, height))
    img.putdata([((x * 255 // max(1, width - 1) + random.randrange(-20, 20)) % 256,
                  (y * 255 // max(1, height - 1)) % 256,
                  (x * y + random.randrange(0, 60)) % 256)
                 for y in range(height) for x in range(width)])
    return img


colour = pattern(37, 23)
colour.save("colour.jpg", quality=90)
colour.save("progressive.jpg", quality=85, progressive=True)
colour.convert("L").save("grey.jpg", quality=90)
colour.save("colour.png")
# PIL writes CMYK JPEGs the way Adobe's encoders do: an APP14 marker and inverted inks.
Image.new("CMYK", (16, 8), (0, 255, 255, 0)).save("cmyk_red.jpg", quality=100)
Image.new("CMYK", (16, 8), (0, 0, 0, 128)).save("cmyk_grey.jpg", quality=100)

for name in ("colour", "progressive"):
    subprocess.run(["djpeg", "-dct", "int", "-ppm", "-outfile", name + ".ppm",
                    name + ".jpg"], check=True)
subprocess.run(["djpeg", "-dct", "int", "-pnm", "-outfile", "grey.pgm", "grey.jpg"],
               check=True)
