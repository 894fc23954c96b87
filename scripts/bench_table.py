"""Prints benchmark medians as one table: each group's rows with their ratio to
the group's peer (above 1 is better than the peer), and frames per second where
a benchmark counts them.

Where both the row and the peer report bytes processed, the ratio is row
bandwidth / peer bandwidth, so a routine that moves three images compares fairly
with a memcpy that moves two; otherwise it is peer time / row time. Bandwidth is
the bytes an iteration moves (bytes_per_second x CPU time) over its wall-clock
time, the time the table shows, so a row that moves the same bytes as its peer
gets the same ratio either way (exactly so for an odd number of repetitions).
GB/s is that bandwidth."""
import json
import sys

with open(sys.argv[1]) as f:
    runs = json.load(f)["benchmarks"]

groups = {}
for run in runs:
    if run.get("aggregate_name") != "median":
        continue
    name = run["run_name"]
    group, _, impl = name.rpartition("/")
    unit = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[run["time_unit"]]
    seconds = run["real_time"] * unit
    rate = run.get("bytes_per_second")
    bandwidth = rate * run["cpu_time"] * unit / seconds if rate else None
    groups.setdefault(group, []).append((impl, seconds, bandwidth, run.get("fps")))


def ratio(row, peer):
    if not peer:
        return None
    if row[2] and peer[2]:
        return row[2] / peer[2]
    return peer[1] / row[1]


print(f"{'benchmark':44} {'impl':16} {'median ms':>10} {'GB/s':>7} {'vs peer':>8} {'fps':>8}")
for group, rows in groups.items():
    peers = [r for r in rows if r[0] != "zorblit"]
    peer = peers[0] if peers else None
    for row in rows:
        impl, seconds, bandwidth, fps = row
        r = ratio(row, peer)
        shown = f"{r:7.2f}x" if r else "       -"
        gbs = f"{bandwidth / 1e9:7.2f}" if bandwidth else "      -"
        frames = f"{fps:8.0f}" if fps else ""
        print(f"{group:44} {impl:16} {seconds * 1e3:10.3f} {gbs} {shown} {frames}")

# Benchmarks that write files report the size of what they wrote.
sizes = [(run["run_name"], run["file_bytes"]) for run in runs
         if run.get("aggregate_name") == "median" and "file_bytes" in run]
if sizes:
    print(f"\n{'file written by':61} {'bytes':>10}")
    for name, size in sizes:
        print(f"{name:61} {size:10.0f}")
