#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Times "dorvane apply" on a 3840 x 2160 plain X11 screen beside feh and hsetroot.

Usage: bench/wallpaper/compare.py BUILD_DIR   (bench/run calls it)
Starts an Xvfb of that size, renders a ready-made BMP of the sample board for the
peers, runs apply_bench (alternating rounds) and prints best and median times.
- dorvane apply: a fresh process that composes the board at the screen's size,
  writes the wallpaper file and sets it, until _XROOTPMAP_ID confirmed it.
- feh --bg-scale / hsetroot -fill: the ready-made BMP, a fresh process each.
- our root setter alone: the ready-made BMP read and set inside one process.
"""
import json
import os
import pathlib
import shutil
import statistics
import subprocess
import sys
import tempfile

NAMES = {"BM_DorvaneApply": "dorvane apply (compose + write + set)",
         "BM_FehBgScale": "feh --no-fehbg --bg-scale",
         "BM_HsetrootFill": "hsetroot -fill",
         "BM_OwnRootSetter": "our root setter alone"}


def start_xvfb():
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "3840x2160x24",
                             "-nolisten", "tcp", "-noreset"], stdout=subprocess.PIPE)
    return xvfb, ":" + xvfb.stdout.readline().decode().strip()


def main():
    build_dir = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "build").resolve()
    source = pathlib.Path(__file__).resolve().parents[2]
    xvfb, display = start_xvfb()
    try:
        with tempfile.TemporaryDirectory() as work:
            exe = pathlib.Path(work) / "dorvane"  # its wallpaper file goes beside it
            shutil.copy(build_dir / "src/app/dorvane", exe)
            board = source / "tests/boards/data/plan.gls"
            ready = pathlib.Path(work) / "ready.bmp"
            subprocess.run([exe, "render", board, "--size", "3840x2160", "-o", ready],
                           check=True, env={})
            env = dict(os.environ, DISPLAY=display, APPLY_BENCH_EXE=str(exe),
                       APPLY_BENCH_BOARD=str(board), APPLY_BENCH_BMP=str(ready))
            out = subprocess.run([build_dir / "bench/wallpaper/apply_bench",
                                  "--benchmark_format=json"], check=True, env=env,
                                 capture_output=True, text=True).stdout
    finally:
        xvfb.terminate()
        xvfb.wait()
    times = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("run_type") == "iteration":
            times.setdefault(b["run_name"].split("/")[0], []).append(b["real_time"])
    print("Wallpaper on a 3840 x 2160 X11 screen        best      median")
    for key, label in NAMES.items():
        t = times[key]
        print(f"  {label:38} {min(t):7.1f} ms {statistics.median(t):7.1f} ms")
    feh = min(times["BM_FehBgScale"])
    print(f"  apply / feh (best)                     {min(times['BM_DorvaneApply']) / feh:7.2f}")


if __name__ == "__main__":
    main()
