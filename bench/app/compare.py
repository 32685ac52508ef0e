#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs the main window's benchmarks and prints them with their goals.

Usage: bench/app/compare.py BUILD_DIR   (bench/run calls it)
- Start-up to the first painted frame: the program against a bare Qt widgets window
  of the same size, each a fresh process, in alternating rounds; best and median
  wall-clock times and their ratio, on an Xvfb screen of 1920x1080 and one of
  3840x2160 that this script starts (goal: at most 1.5x) and on Qt's offscreen
  platform (goal: at most 2x).
- The gallery build with 100 user pictures of 12 megapixels (goal: under 3 s).
- One drag step on page 4 through the real widget at 3840x2160, against clearing one
  whole text layer of that size (goal: median <= 4 ms and <= 2x the clear).
- Page 5 with 1,000 saved boards: the list filled and drawn (goal: under 100 ms),
  beside a bare list widget given the same names; one board selected until its
  goals and picture are drawn (goal: under 10 ms).
"""
import json
import os
import statistics
import subprocess
import sys


def runs(build_dir, program, args, env=None):
    out = subprocess.run([f"{build_dir}/bench/app/{program}", "--benchmark_format=json"] + args,
                         check=True, capture_output=True, text=True, env=env).stdout
    times = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("run_type") == "iteration":
            scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
            times.setdefault(b["run_name"].split("/")[0], []).append(b["real_time"] * scale)
    return times


def startup(build_dir, screen):
    """The start-up benchmark on an Xvfb screen of that size, or "offscreen"."""
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    if screen == "offscreen":
        env["QT_QPA_PLATFORM"] = "offscreen"
        return runs(build_dir, "startup_bench", [], env)
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", screen + "x24",
                             "-nolisten", "tcp", "-noreset"], stdout=subprocess.PIPE)
    try:
        env["DISPLAY"] = ":" + xvfb.stdout.readline().decode().strip()
        return runs(build_dir, "startup_bench", [], env)
    finally:
        xvfb.terminate()
        xvfb.wait()


def main():
    build_dir = sys.argv[1] if len(sys.argv) > 1 else "build"
    for screen, goal in [("1920x1080", 1.5), ("3840x2160", 1.5), ("offscreen", 2)]:
        start = startup(build_dir, screen)
        ours = start["BM_StartupToFirstFrame_Dorvane"]
        bare = start["BM_StartupToFirstFrame_BareQtWindow"]
        print(f"Start-up to first frame, {screen:10}   best      median")
        print(f"  Dorvane                 {min(ours):7.1f} ms {statistics.median(ours):7.1f} ms")
        print(f"  bare Qt window          {min(bare):7.1f} ms {statistics.median(bare):7.1f} ms")
        print(f"  ratio (goal <= {goal})     {min(ours) / min(bare):7.2f}    "
              f"{statistics.median(ours) / statistics.median(bare):7.2f}")
    gallery = runs(build_dir, "gallery_bench", [])["BM_GalleryBuild100Pictures12MP"]
    print(f"Gallery build, 100 x 12 MP: best {min(gallery) / 1e3:.2f} s, "
          f"median {statistics.median(gallery) / 1e3:.2f} s (goal < 3 s)")
    page4 = runs(build_dir, "page4_bench", ["--benchmark_repetitions=9"])
    step = statistics.median(page4["BM_DragStepThroughWidget"])
    clear = statistics.median(page4["BM_ClearWholeLayer4K"])
    print(f"Page-4 drag step at 3840x2160 through the widget: median {step:.2f} ms "
          f"(goal <= 4 ms); clearing one layer {clear:.2f} ms; ratio {step / clear:.2f} "
          f"(goal <= 2)")
    saved = runs(build_dir, "saved_boards_bench", ["--benchmark_repetitions=5"])
    for name, label, goal in [("BM_SavedBoardsListShown1000", "Page 5 list of 1,000 boards", 100),
                              ("BM_BareListWidget1000", "  bare list widget (peer)", None),
                              ("BM_SavedBoardsSelectionShown", "Page 5 selection shown", 10)]:
        t = saved[name]
        print(f"{label:30} best {min(t):6.2f} ms, median {statistics.median(t):6.2f} ms"
              + (f" (goal < {goal} ms)" if goal else ""))


if __name__ == "__main__":
    main()
