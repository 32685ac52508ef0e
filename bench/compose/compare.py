#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the composition benchmark and prints each drag step against clearing the
# whole layer once at the same screen size (a ratio below 1 means the step is cheaper).
import json
import subprocess
import sys

build = sys.argv[1] if len(sys.argv) > 1 else "build-bench"
out = subprocess.run([f"{build}/bench/compose/compose_bench", "--benchmark_format=json",
                      "--benchmark_repetitions=5", "--benchmark_report_aggregates_only=true"],
                     check=True, capture_output=True, text=True).stdout
rows = {b["run_name"]: b["real_time"] for b in json.loads(out)["benchmarks"]
        if b.get("aggregate_name") == "median"}
print("compose: drag step (RenderTextLayer + RefreshPreview) vs clearing the whole layer")
for size in ("1920/1080", "3840/2160"):
    step = rows[f"BM_DragStep/{size}"]
    clear = rows[f"BM_ClearWholeLayer/{size}"]
    print(f"  {size.replace('/', 'x'):>10}: step {step:9.1f} us   clear {clear:9.1f} us   "
          f"ratio {step / clear:.2f}")
print(f"  100,000-character goal at 1024x768: {rows['BM_HundredThousandCharacterGoal']:.1f} ms")
