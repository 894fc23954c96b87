"""Prints benchmark minima (the fastest repetition) as one table: each group's rows with their ratio to
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
    results = json.load(f)
runs = results["benchmarks"]

fastest = {}  # run name -> its fastest repetition
for run in runs:
    if run.get("run_type") != "iteration":
        continue
    unit = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[run["time_unit"]]
    seconds = run["real_time"] * unit
    name = run["run_name"]
    if name not in fastest or seconds < fastest[name][0]:
        fastest[name] = (seconds, run, unit)

groups = {}
# In the order the benchmarks were registered (peers first in every group).
order = lambda item: (item[1][1].get("family_index", 0), item[1][1].get("per_family_instance_index", 0))
for name, (seconds, run, unit) in sorted(fastest.items(), key=order):
    group, _, impl = name.rpartition("/")
    rate = run.get("bytes_per_second")
    bandwidth = rate * run["cpu_time"] * unit / seconds if rate else None
    groups.setdefault(group, []).append((impl, seconds, bandwidth, run.get("fps")))


def ratio(row, peer):
    if not peer:
        return None
    if row[2] and peer[2]:
        return row[2] / peer[2]
    return peer[1] / row[1]


context = results.get("context", {})
print(f"kernel level {context.get('kernel level', '?')}, {context.get('num_cpus', '?')} cpus at "
      f"{context.get('mhz_per_cpu', '?')} MHz")
print(f"{'benchmark':44} {'impl':16} {'min ms':>10} {'GB/s':>7} {'vs peer':>8} {'fps':>8}")
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
