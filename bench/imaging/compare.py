#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs imaging_bench and its peers (Pillow, OpenCV) on this machine and prints ratios.

Usage: bench/imaging/compare.py BUILD_DIR   (bench/run calls it)
Every figure is the best wall-clock time of many runs (threads count; load from
elsewhere only ever adds time), from rounds that alternate between us and the
peers. The single-threaded base64 codec is also given per processor second.
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
RUNS = 7
ROUNDS = 3


def ours(build_dir):
    """Best single run of each benchmark: (wall ms, processor ms)."""
    out = subprocess.run(
        [f"{build_dir}/bench/imaging/imaging_bench", "--benchmark_format=json",
         "--benchmark_repetitions=15", "--benchmark_min_time=0"],
        check=True, capture_output=True, text=True).stdout
    best = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("run_type") != "iteration":
            continue
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
        wall, cpu = b["real_time"] * scale, b["cpu_time"] * scale
        old = best.get(b["run_name"], (wall, cpu))
        best[b["run_name"]] = (min(wall, old[0]), min(cpu, old[1]))
    return best


def best_ms(action):
    """Best single run of action: (wall ms, processor ms of all threads)."""
    action()  # warm-up
    walls, cpus = [], []
    for _ in range(RUNS):
        start, start_cpu = time.perf_counter(), time.process_time()
        action()
        walls.append((time.perf_counter() - start) * 1e3)
        cpus.append((time.process_time() - start_cpu) * 1e3)
    return min(walls), min(cpus)


def peers():
    pixels = np.random.default_rng(1).integers(0, 256, (SOURCE[1], SOURCE[0], 3), dtype=np.uint8)
    picture = Image.fromarray(pixels, "RGB")
    result = {}
    for size in TARGETS:
        result[("pillow", size)] = best_ms(lambda: picture.resize(size, Image.BILINEAR))
        result[("opencv", size)] = best_ms(
            lambda: cv2.resize(pixels, size, interpolation=cv2.INTER_LINEAR))
    return result


def merge_best(total, new):
    for key, value in new.items():
        old = total.get(key, value)
        total[key] = tuple(map(min, old, value))


def main():
    build_dir = sys.argv[1] if len(sys.argv) > 1 else "build-bench"
    # Rounds that alternate between us and the peers, keeping each one's best
    # time, so that a burst of load from elsewhere on the machine hurts no side.
    mine, other = {}, {}
    for _ in range(ROUNDS):
        merge_best(mine, ours(build_dir))
        merge_best(other, peers())
    print(f"\nImaging (OpenCV threads: {cv2.getNumThreads()}, "
          f"Pillow {Image.__version__}, OpenCV {cv2.__version__})")
    for clock, index in (("wall-clock", 0), ("processor (all threads)", 1)):
        print(f"ScaleBitmap 1600x900 -> ..., {clock} time")
        print(f"{'':14}{'ours ms':>10}{'Pillow ms':>11}{'OpenCV ms':>11}"
              f"{'Pillow/ours':>13}{'OpenCV/ours':>13}")
        for w, h in TARGETS:
            t = mine[f"BM_ScaleBitmap/{w}/{h}/process_time/real_time"][index]
            p, o = other[("pillow", (w, h))][index], other[("opencv", (w, h))][index]
            print(f"{f'  {w}x{h}':14}{t:10.2f}{p:11.2f}{o:11.2f}{p / t:12.1f}x{o / t:12.2f}x")
    print("  (goals: Pillow/ours >= 5x; OpenCV/ours >= 2x by the clock at 3840x2160 and"
          " >= 1.2x of processor time at 1920x1080)")
    decode, bare = mine["BM_DecodeJpeg/real_time"], mine["BM_DecodeJpegBareLibjpeg/real_time"]
    print(f"JPEG decode 1600x1200 into a Bitmap: {decode[0]:.2f} ms, bare libjpeg {bare[0]:.2f} ms,"
          f" ratio {decode[0] / bare[0]:.3f} by the clock, {decode[1] / bare[1]:.3f} by"
          f" processor time (goal: <= 1.1)")
    for name in ("Encode", "Decode"):
        wall, cpu = mine[f"BM_Base64{name}/real_time"]
        # One thread: on a busy machine wall-clock time also counts the waits.
        print(f"Base64{name} of 1 MB: {2**20 / wall / 1e6:.2f} GB/s by the clock,"
              f" {2**20 / cpu / 1e6:.2f} GB/s of processor time (goal: >= 1)")


if __name__ == "__main__":
    main()
