"""Starts both programs in turn, RUNS times each, and times each from the
process start to its "loaded" line. Prints the medians and the ratio."""
import os
import statistics
import subprocess
import sys
import time

build, collection, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
programs = {
    "folverin": [os.path.join(build, "startup_folverin"), collection],
    "bare web view": [os.path.join(build, "startup_bare"), os.path.join(collection, "index.htm")],
}
times = {name: [] for name in programs}


def run_once(command):
    start = time.monotonic()
    process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    line = process.stdout.readline()
    elapsed = (time.monotonic() - start) * 1000
    process.wait(timeout=30)
    if line.strip() != "loaded":
        raise SystemExit(f"{command[0]} did not report its document")
    return elapsed


for name, command in programs.items():  # warm the page cache
    run_once(command)
for _ in range(runs):  # alternate, so that both share the machine's load
    for name, command in programs.items():
        times[name].append(run_once(command))

print(f"{'program':<16}{'median ms':>10}{'min ms':>9}{'max ms':>9}")
for name, values in times.items():
    print(f"{name:<16}{statistics.median(values):>10.0f}{min(values):>9.0f}{max(values):>9.0f}")
ratio = statistics.median(times["folverin"]) / statistics.median(times["bare web view"])
print(f"ratio folverin / bare: {ratio:.2f} (goal <= 1.3)")
