"""Prints one Markdown table from the outputs that bench/run collected in a folder."""

import json
import pathlib
import re
import statistics
import sys
from datetime import date

folder = pathlib.Path(sys.argv[1])


def benchmarks(name):
    return json.loads((folder / f"{name}.json").read_text())["benchmarks"]


def median(name, run, key):
    """A Google Benchmark figure: the median aggregate when there is one, else the median of runs."""
    rows = [b for b in benchmarks(name) if b["run_name"] == run]
    aggregate = [b for b in rows if b.get("aggregate_name") == "median"]
    if aggregate:
        return aggregate[0][key]
    return statistics.median(b[key] for b in rows if b.get("run_type") == "iteration")


def ms(value, unit):
    return value * {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[unit]


def text(name):
    return (folder / f"{name}.txt").read_text()


rows = []
rows.append(("Component throughput through a pseudo-terminal (TComm)",
             f"{median('serial_receive', 'TCommReceive/0/iterations:1/repeats:3/real_time', 'MB/s'):.0f} MB/s"))
rows.append(("Bare read loop on the same pseudo-terminal",
             f"{median('serial_receive', 'BareReadLoop/65536/iterations:1/repeats:3/real_time', 'MB/s'):.0f} MB/s"))
rows.append(("Component peak resident memory during the flood",
             f"{median('serial_receive', 'TCommReceive/0/iterations:1/repeats:3/real_time', 'peak_RSS_MiB'):.1f} MiB"))
rows.append(("One-byte write requests per second (WriteBytes)",
             f"{median('serial_write', 'WriteBytesOneByte/1000000/iterations:1/repeats:3/real_time', 'requests/s') / 1e6:.2f} M/s"))

window = text("receive_window")
flood = re.search(r"([\d.]+) MB/s shown, (\d+) bytes sent, (\d+) received, (\d+) out of sequence, "
                  r"peak resident memory ([\d.]+) MiB", window)
rows.append(("Window throughput, hexadecimal display and plot (mode 0)",
             f"{float(flood[1]):.1f} MB/s, {int(flood[2]) - int(flood[3]) + int(flood[4])} bytes lost"))
rows.append(("Window peak resident memory during the flood", f"{float(flood[5]):.1f} MiB"))
for base in ("COM-10", "COM-16"):
    for mode in ("0", "2", "3"):
        match = re.search(rf"{base}\s+mode {mode}\s+([\d.]+) ms", window)
        rows.append((f"Main thread per 2048-byte block, {base}, wave mode {mode}", f"{float(match[1]):.3f} ms"))

names = {0: "0 single byte auto", 1: "1 single byte user", 2: "2 single byte 0-255",
         3: "3 pairs auto", 4: "4 pairs user", 5: "5 pairs 0-65535", 6: "6 pairs 0-3000"}
for row in benchmarks("plot_block"):
    found = re.fullmatch(r"BM_PlotBlock/mode:(\d)/dealt:(\d)_median", row["name"])
    if found:
        label = names[int(found[1])] + (", dealt over 8" if found[2] == "1" else "")
        rows.append((f"PlotBlock, 2048 bytes, mode {label}", f"{ms(row['real_time'], row['time_unit']):.4f} ms"))
for run, label in (("BM_RefreshEightSeries", "Chart refresh, 8 x 2048 points (replace + axes)"),
                   ("BM_RepaintEightSeries", "Chart repaint, 8 x 2048 points")):
    row = next(b for b in benchmarks("plot_block") if b["name"] == f"{run}_median")
    rows.append((label, f"{ms(row['real_time'], row['time_unit']):.1f} ms"))
for line in text("wave_stream").splitlines():
    found = re.match(r"(.+?)\s+busy\s+([\d.]+) %\s+frames\s+([\d.]+) /s", line)
    if found:
        rows.append((f"600 blocks/s into the chart, {found[1].strip()}",
                     f"{found[2]} % busy, {found[3]} frames/s"))

startup = text("startup")
for build in ("8", "1"):
    times = [float(t) for t in re.findall(rf"tessavane{build}: ([\d.]+) ms", startup)]
    rows.append((f"Start-up to the first painted window, tessavane{build} (offscreen)",
                 f"{statistics.median(times):.1f} ms"))

print(f"Benchmarks of {date.today().isoformat()}, release build, medians\n")
print("| Figure | Value |")
print("|---|---|")
for label, value in rows:
    print(f"| {label} | {value} |")
