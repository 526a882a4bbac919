#!/usr/bin/env python3
"""Whole-process benchmark: a mailing list of 10,000 addresses drawn as customer barcodes.

plomix-cli --from-address --batch reads "〒code address" lines (CSV, the name as the lower
comment), derives each customer barcode's data and writes one PNG a line. The peer is
zint --batch drawing the same data (already derived) as Japan Post barcodes, so the ratio
shows what the address conversion and plomix's drawing cost against drawing alone.
Each figure is the median of several rounds in which the programs take turns going first.
Usage: bench/address_batch.py [path/to/plomix-cli] [count] [rounds]
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

TOWNS = ["東京都千代田区霞が関", "千葉県千葉市稲毛区緑町", "茨城県日立市宮田町", "福井県福井市新田塚",
         "北海道札幌市東区北六条東", "東京都世田谷区若林"]
CODES = ["100-0013", "263-0023", "317-0055", "910-0067", "060-0906", "154-0023"]


def address(i):
    t = i % len(TOWNS)
    return (f"〒{CODES[t]} {TOWNS[t]}{i % 9 + 1}丁目{i % 30 + 1}番{i % 12 + 1}号 "
            f"ハイツ{'ABC'[i % 3]}棟{100 + i % 400}号室")


def run(command, out_dir, count):
    start = time.perf_counter()
    done = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    total = time.perf_counter() - start
    written = len([n for n in os.listdir(out_dir) if n.endswith(".png")])
    if done.returncode != 0 or written != count:
        sys.exit(f"{command[0]} failed ({done.returncode}, {written} files): {done.stderr.decode()[:500]}")
    return total


def main():
    cli = sys.argv[1] if len(sys.argv) > 1 else "build/plomix-cli"
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 10000
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    work = tempfile.mkdtemp(prefix="plomix-address-bench-")
    try:
        mailing = os.path.join(work, "mailing.csv")
        with open(mailing, "w", encoding="utf-8") as f:
            for i in range(count):
                f.write(f"\"{address(i)}\",,様{i}\n")
        # The data plomix derives, for zint: from plomix-cli's own --info answer.
        info = subprocess.run([cli, "--type", "customer", "--from-address", "--batch", mailing, "--csv", "--info"],
                              capture_output=True, text=True, check=True).stdout
        data = os.path.join(work, "data.txt")
        with open(data, "w") as f:
            for line in info.splitlines():
                f.write(line.split('"code":"')[1].split('"')[0] + "\n")
        contenders = [
            ("zint (data given)", lambda out: ["zint", "--barcode=76", "--batch", "--input=" + data,
                                               "--output=" + os.path.join(out, "~~~~~.png")]),
            ("plomix-cli --from-address", lambda out: [cli, "--type", "customer", "--scale", "2", "--from-address",
                                                       "--batch", mailing, "--csv",
                                                       "-o", os.path.join(out, "{n}.png")]),
        ]
        results = {name: [] for name, _ in contenders}
        for round_ in range(rounds):
            turn = contenders[round_ % len(contenders):] + contenders[:round_ % len(contenders)]
            for name, args_of in turn:
                out = os.path.join(work, f"{round_}-{len(results[name])}-{name.split()[0]}")
                os.mkdir(out)
                results[name].append(run(args_of(out), out, count))
        median = {name: statistics.median(times) for name, times in results.items()}
        peer = median["zint (data given)"]
        print(f"{count} addresses, median of {rounds} rounds, in {tempfile.gettempdir()}")
        for name, total in median.items():
            print(f"{name:28s} {total:6.2f} s  {count / total:7.0f} files/s  time ratio to zint {total / peer:5.2f}")
    finally:
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
