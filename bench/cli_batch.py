#!/usr/bin/env python3
"""Whole-process benchmark: plomix-cli --batch against zint --batch in the same run.

5,000 Code 128 codes to PNG at 2 pixels per module (zint's scale 1 is 2 pixels a
module). Reports files per second, the ratio to zint, the time to the first file and the
processor time (user + system, all threads) per file, each the median of several rounds in
which the programs take turns going first (the file system's state after one run changes
the next). On a machine shared with other work the files per second vary with the load;
the processor time per file much less.
Usage: bench/cli_batch.py [path/to/plomix-cli] [count] [rounds]
The files go to $TMPDIR (a disk, or /dev/shm to leave the disk out). On a disk the file
system's own work per file weighs most, and ext4's varies with the files deleted in the
last minutes (it skips their inodes one by one): compare runs made in the same minutes.
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def run(command, first_file, out_dir, count):
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    first = None
    while True:
        pid, status, usage = os.wait4(process.pid, os.WNOHANG)
        if pid != 0:
            break
        if first is None and os.path.exists(first_file):
            first = time.perf_counter() - start
        time.sleep(0.0005)
    total = time.perf_counter() - start
    if first is None:
        first = total
    returncode = os.waitstatus_to_exitcode(status)
    process.returncode = returncode  # reaped here, with its processor time
    written = len([n for n in os.listdir(out_dir) if n.endswith(".png")])
    if returncode != 0 or written != count:
        sys.exit(f"{command[0]} failed ({returncode}, {written} files): {process.stderr.read().decode()}")
    return count / total, first, total, (usage.ru_utime + usage.ru_stime) / count


def main():
    cli = sys.argv[1] if len(sys.argv) > 1 else "build/plomix-cli"
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 5000
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    work = tempfile.mkdtemp(prefix="plomix-bench-")
    try:
        codes = os.path.join(work, "codes.txt")
        with open(codes, "w") as f:
            for i in range(1, count + 1):
                f.write(f"PLX-{i:05d}\n")
        first_plomix = "1".zfill(len(str(count))) + ".png"  # {n} is padded to the last number's width
        contenders = [
            ("zint", lambda out: ["zint", "--barcode=20", "--scale=1", "--batch", "--input=" + codes,
                                  "--output=" + os.path.join(out, "~~~~~.png")], "00001.png"),
            ("plomix-cli", lambda out: [cli, "--batch", codes, "--type", "code128", "--scale", "2",
                                        "-o", os.path.join(out, "{n}.png")], first_plomix),
            ("plomix-cli --verify", lambda out: [cli, "--batch", codes, "--type", "code128", "--scale", "2",
                                                 "--verify", "-o", os.path.join(out, "{n}.png")], first_plomix),
        ]
        results = {name: [] for name, _, _ in contenders}
        for round_ in range(rounds):
            turn = contenders[round_ % len(contenders):] + contenders[:round_ % len(contenders)]
            for name, args_of, first_name in turn:
                # Every run writes into a folder of its own and nothing is deleted until the
                # end: on a disk, files deleted just before slow the next run's file creation.
                out = os.path.join(work, f"{name.replace(' ', '_')}-{round_}")
                os.mkdir(out)
                results[name].append(run(args_of(out), os.path.join(out, first_name), out, count))
        median = {name: tuple(statistics.median(r[i] for r in runs) for i in range(4)) for name, runs in results.items()}
        zint_rate = median["zint"][0]
        print(f"{count} files, median of {rounds} rounds, in {tempfile.gettempdir()}")
        zint_cpu = median["zint"][3]
        for name, (rate, first, total, cpu) in median.items():
            print(f"{name:20s} {rate:8.0f} files/s  ({total:6.2f} s, first file after {first * 1000:5.0f} ms)"
                  f"  ratio to zint {rate / zint_rate:5.2f}  cpu {cpu * 1e6:5.0f} us/file"
                  f" (zint's / ours {zint_cpu / cpu:4.2f})")
    finally:
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
