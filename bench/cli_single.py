#!/usr/bin/env python3
"""Whole-process benchmark: one plomix-cli call against one zint call, in the same run.

A script that draws one file per call pays each program's start-up every time. Three
cases, each beside zint drawing the same EAN-13 to PNG: bars only (no text), with the
code's text below the bars, and with an upper comment too. hyperfine runs every command
in turn; the table gives the median wall time, the CPU time (user + system) and the
ratios to zint's. CPU time is the steadier figure on a busy machine.
Usage: bench/cli_single.py [path/to/plomix-cli] [runs] [another plomix-cli, "compared"]
"""
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile


def main():
    cli = sys.argv[1] if len(sys.argv) > 1 else "build/plomix-cli"
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 60
    other = sys.argv[3] if len(sys.argv) > 3 else None
    if not shutil.which("hyperfine"):
        sys.exit("hyperfine is missing: run scripts/install-deps")
    work = tempfile.mkdtemp(prefix="plomix-single-")
    try:
        out = lambda name: os.path.join(work, name)
        cases = [
            ("bars only", ["zint", "--barcode=13", "--data=4901234567894", "--notext", "--output=" + out("z1.png")],
             ["--no-text", "-o", out("p1.png"), "490123456789"]),
            ("with text", ["zint", "--barcode=13", "--data=4901234567894", "--output=" + out("z2.png")],
             ["-o", out("p2.png"), "490123456789"]),
            ("with comment", ["zint", "--barcode=13", "--data=4901234567894", "--output=" + out("z3.png")],
             ["--up", "Plomix", "-o", out("p3.png"), "490123456789"]),
        ]
        programs = [("plomix-cli", cli)] + ([("compared", other)] if other else [])
        commands = []
        for name, zint, args in cases:
            commands.append((name, "zint", zint))
            for label, exe in programs:
                commands.append((name, label, [exe] + args))
        report = os.path.join(work, "report.json")
        subprocess.run(["hyperfine", "-N", "--warmup", "5", "--runs", str(runs), "--export-json", report, "--style", "none"]
                       + [" ".join(command) for _, _, command in commands], check=True, stdout=subprocess.DEVNULL)
        results = json.load(open(report))["results"]
        rows = {}
        for (case, label, _), result in zip(commands, results):
            # hyperfine gives the mean user and system time of the runs
            rows[(case, label)] = (statistics.median(result["times"]) * 1000, (result["user"] + result["system"]) * 1000)
        print(f"{runs} runs, milliseconds: wall = median, cpu = mean user + system; ratio = to zint's")
        print(f"{'case':14s} {'program':11s} {'wall':>7s} {'cpu':>7s} {'wall ratio':>11s} {'cpu ratio':>10s}")
        for case, _, _ in cases:
            zwall, zcpu = rows[(case, "zint")]
            for label in ["zint"] + [p[0] for p in programs]:
                wall, cpu = rows[(case, label)]
                print(f"{case:14s} {label:11s} {wall:7.2f} {cpu:7.2f} {wall / zwall:11.2f} {cpu / zcpu:10.2f}")
    finally:
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
