#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs the online check's and page 6's benchmarks and prints them with their goals.

Usage: bench/pages/compare.py BUILD_DIR   (bench/run calls it)
- IsOnline against a local dnsmasq (goal: median under 2 ms), beside a bare UDP
  exchange of the same query and glibc's res_nquery.
- Page 6's first show with the resources page from a local web server, until the
  page is painted (goal: under 100 ms), beside page 6 offline and page 7.
"""
import json
import statistics
import subprocess
import sys


def runs(build_dir):
    out = subprocess.run([f"{build_dir}/bench/pages/online_bench", "--benchmark_format=json"],
                         check=True, capture_output=True, text=True).stdout
    times = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("run_type") == "iteration":
            scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
            times.setdefault(b["run_name"].split("/")[0], []).append(b["real_time"] * scale)
    return times


def main():
    build_dir = sys.argv[1] if len(sys.argv) > 1 else "build"
    t = runs(build_dir)
    rows = [("IsOnline, local dnsmasq (goal < 2 ms)", "BM_IsOnline_LocalDnsmasq"),
            ("  bare UDP exchange", "BM_BareUdpExchange_LocalDnsmasq"),
            ("  glibc res_nquery", "BM_GlibcResNquery_LocalDnsmasq"),
            ("Page 6 first show, online (goal < 100 ms)", "BM_Page6FirstShow_Online_LocalServer"),
            ("  page 6 offline", "BM_Page6Show_Offline"),
            ("  page 7", "BM_Page7Show")]
    print(f"{'Online check and page 6':44} {'best':>9} {'median':>9}")
    for label, name in rows:
        print(f"  {label:42} {min(t[name]):7.3f} ms {statistics.median(t[name]):7.3f} ms")


if __name__ == "__main__":
    main()
