#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs imaging_bench and its peers (Pillow, OpenCV) on this machine and prints ratios.

Usage: bench/imaging/compare.py BUILD_DIR   (bench/run calls it)
Every figure is the median wall-clock time of several runs, so that threads count.
"""
import json
import statistics
import subprocess
import sys
import time

import cv2
import numpy as np
from PIL import Image

SOURCE = (1600, 900)
TARGETS = [(3840, 2160), (1920, 1080)]
RUNS = 15


def ours(build_dir):
    out = subprocess.run(
        [f"{build_dir}/bench/imaging/imaging_bench", "--benchmark_format=json",
         "--benchmark_repetitions=7", "--benchmark_report_aggregates_only=true",
         "--benchmark_min_time=0.2"],
        check=True, capture_output=True, text=True).stdout
    medians = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") != "median":
            continue
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
        medians[b["run_name"]] = (b["real_time"] * scale, b.get("bytes_per_second"))
    return medians


def median_ms(action):
    action()  # warm-up
    times = []
    for _ in range(RUNS):
        start = time.perf_counter()
        action()
        times.append((time.perf_counter() - start) * 1e3)
    return statistics.median(times)


def peers():
    pixels = np.random.default_rng(1).integers(0, 256, (SOURCE[1], SOURCE[0], 3), dtype=np.uint8)
    picture = Image.fromarray(pixels, "RGB")
    result = {}
    for size in TARGETS:
        result[("pillow", size)] = median_ms(lambda: picture.resize(size, Image.BILINEAR))
        result[("opencv", size)] = median_ms(
            lambda: cv2.resize(pixels, size, interpolation=cv2.INTER_LINEAR))
    return result


def main():
    build_dir = sys.argv[1] if len(sys.argv) > 1 else "build-bench"
    mine = ours(build_dir)
    other = peers()
    print(f"\nImaging (OpenCV threads: {cv2.getNumThreads()}, "
          f"Pillow {Image.__version__}, OpenCV {cv2.__version__})")
    print(f"{'ScaleBitmap 1600x900 ->':26}{'ours ms':>10}{'Pillow ms':>11}{'OpenCV ms':>11}"
          f"{'Pillow/ours':>13}{'OpenCV/ours':>13}")
    for w, h in TARGETS:
        t = mine[f"BM_ScaleBitmap/{w}/{h}/real_time"][0]
        p, o = other[("pillow", (w, h))], other[("opencv", (w, h))]
        print(f"{f'  {w}x{h}':26}{t:10.2f}{p:11.2f}{o:11.2f}{p / t:12.1f}x{o / t:12.2f}x"
              f"   (goals: >= 5x, >= 1x)")
    decode = mine["BM_DecodeJpeg/real_time"][0]
    bare = mine["BM_DecodeJpegBareLibjpeg/real_time"][0]
    print(f"JPEG decode 1600x1200 into a Bitmap: {decode:.2f} ms, bare libjpeg {bare:.2f} ms,"
          f" ratio {decode / bare:.3f} (goal: <= 1.1)")
    for name in ("Encode", "Decode"):
        rate = mine[f"BM_Base64{name}"][1] / 1e9
        print(f"Base64{name} of 1 MB: {rate:.2f} GB/s (goal: >= 1)")


if __name__ == "__main__":
    main()
