"""Prints benchmark medians as one table: each group's rows with their ratio to
the group's peer (peer time / row time: above 1 is faster than the peer), and
frames per second where a benchmark counts them."""
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
    seconds = run["real_time"] * {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[run["time_unit"]]
    rate = run.get("bytes_per_second")
    groups.setdefault(group, []).append((impl, seconds, rate, run.get("fps")))

print(f"{'benchmark':44} {'impl':16} {'median ms':>10} {'GB/s':>7} {'vs peer':>8} {'fps':>8}")
for group, rows in groups.items():
    peers = [r for r in rows if r[0] != "zorblit"]
    peer_time = peers[0][1] if peers else None
    for impl, seconds, rate, fps in rows:
        ratio = f"{peer_time / seconds:7.2f}x" if peer_time else "       -"
        gbs = f"{rate / 1e9:7.2f}" if rate else "      -"
        frames = f"{fps:8.0f}" if fps else ""
        print(f"{group:44} {impl:16} {seconds * 1e3:10.3f} {gbs} {ratio} {frames}")
