#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Times "dorvane apply" for two monitors against one.

Usage: bench/monitors/compare.py BUILD_DIR   (bench/run calls it)
Starts two Xvfb servers: one of 2560 x 1440, and one of 4480 x 1440 with the RandR
monitors LEFT 2560 x 1440 and RIGHT 1920 x 1080 beside it. Each run is a fresh
"dorvane apply" of the sample board, composed per monitor, written and set on the
root window. Goal: two monitors take at most 1.5 times as long as one.
"""
import json
import os
import pathlib
import shutil
import statistics
import subprocess
import sys
import tempfile


def start_xvfb(size):
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", size + "x24",
                             "-nolisten", "tcp", "-noreset"], stdout=subprocess.PIPE)
    return xvfb, ":" + xvfb.stdout.readline().decode().strip()


def main():
    build_dir = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "build").resolve()
    source = pathlib.Path(__file__).resolve().parents[2]
    one, display_one = start_xvfb("2560x1440")
    two, display_two = start_xvfb("4480x1440")
    try:
        for monitor, output in (("LEFT 2560/677x1440/381+0+0", "screen"),
                                ("RIGHT 1920/508x1080/286+2560+0", "none")):
            subprocess.run(["xrandr", "-display", display_two, "--setmonitor",
                            *monitor.split(), output], check=True)
        with tempfile.TemporaryDirectory() as work:
            exe = pathlib.Path(work) / "dorvane"  # its wallpaper files go beside it
            shutil.copy(build_dir / "src/app/dorvane", exe)
            env = dict(os.environ, APPLY_BENCH_EXE=str(exe),
                       APPLY_BENCH_BOARD=str(source / "tests/boards/data/plan.gls"),
                       DISPLAY_ONE=display_one, DISPLAY_TWO=display_two)
            out = subprocess.run([build_dir / "bench/monitors/monitors_bench",
                                  "--benchmark_format=json"], check=True, env=env,
                                 capture_output=True, text=True).stdout
    finally:
        for xvfb in (one, two):
            xvfb.terminate()
            xvfb.wait()
    times = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("run_type") == "iteration":
            times.setdefault(b["run_name"].split("/")[0], []).append(b["real_time"])
    print("dorvane apply on plain X11                   best      median")
    for key, label in (("BM_ApplyOneMonitor", "2560x1440"),
                       ("BM_ApplyTwoMonitors", "2560x1440 + 1920x1080")):
        t = times[key]
        print(f"  {label:38} {min(t):7.1f} ms {statistics.median(t):7.1f} ms")
    ratio = min(times["BM_ApplyTwoMonitors"]) / min(times["BM_ApplyOneMonitor"])
    print(f"  two / one (best; goal <= 1.5)          {ratio:7.2f}")


if __name__ == "__main__":
    main()
