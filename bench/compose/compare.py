#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the composition benchmarks and prints:
# - each drag step against clearing the whole layer once at the same screen size
#   (a ratio below 1 means the step is cheaper);
# - "setbackground" at 3840x2160 up to the BMP on disk against the same composition
#   with Pillow, in alternating rounds; best and median times (goal: >= 5x faster).
import json
import os
import statistics
import subprocess
import sys

build = sys.argv[1] if len(sys.argv) > 1 else "build-bench"
here = os.path.dirname(os.path.abspath(__file__))


def bench(args):
    out = subprocess.run([f"{build}/bench/compose/compose_bench", "--benchmark_format=json"] + args,
                         check=True, capture_output=True, text=True).stdout
    return json.loads(out)["benchmarks"]


rows = {b["run_name"]: b["real_time"] for b in bench(
    ["--benchmark_filter=-SetWallpaper", "--benchmark_repetitions=5",
     "--benchmark_report_aggregates_only=true"]) if b.get("aggregate_name") == "median"}
print("compose: drag step (RenderTextLayer + RefreshPreview) vs clearing the whole layer")
for size in ("1920/1080", "3840/2160"):
    step = rows[f"BM_DragStep/{size}"]
    clear = rows[f"BM_ClearWholeLayer/{size}"]
    print(f"  {size.replace('/', 'x'):>10}: step {step:9.1f} us   clear {clear:9.1f} us   "
          f"ratio {step / clear:.2f}")
print(f"  100,000-character goal at 1024x768: {rows['BM_HundredThousandCharacterGoal']:.1f} ms")

ours, pillow = [], []
folder = f"{build}/bench/compose"
for _ in range(5):
    ours += [b["real_time"] for b in bench(["--benchmark_filter=SetWallpaper",
                                            "--benchmark_repetitions=3"])
             if b.get("run_type") == "iteration"]
    out = subprocess.run(["/usr/bin/python3", f"{here}/wallpaper_pillow.py", folder, "3"],
                         check=True, capture_output=True, text=True).stdout
    pillow += [float(t) for t in out.split()]
os.remove(f"{folder}/pillow_wallpaper.bmp")
print("setbackground at 3840x2160 up to the BMP on disk        best      median")
print(f"  Dorvane (copy, overlay, BMP written)            {min(ours):7.1f} ms {statistics.median(ours):7.1f} ms")
print(f"  Pillow (resize, text with shadow, BMP saved)    {min(pillow):7.1f} ms {statistics.median(pillow):7.1f} ms")
print(f"  Pillow / Dorvane (goal >= 5)                    {min(pillow) / min(ours):7.2f}    "
      f"{statistics.median(pillow) / statistics.median(ours):7.2f}")
