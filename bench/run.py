#!/usr/bin/env python3
"""Runs the workloads of bench/workloads in our engine (through the workbench) and in four peer
LISPs, interleaved over several repetitions, and prints the median wall time and peak RSS of each
process with our ratio to each peer. Fails when a program prints no checksum or when the checksums
of one workload differ between dialects.

Usage: bench/run.py [--reps N] [--workbench PATH] [workload ...]
"""
import argparse
import math
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
WORKLOADS_DIR = os.path.join(HERE, "workloads")
WORKLOADS = ["startup", "fib", "tak", "lists", "assoc", "strings", "mapcar", "sort", "float", "symbols"]

# name, file suffix, command line (the program file is appended)
PEERS = [
    ("newlisp", ".nl", ["newlisp"]),
    ("guile", ".scm", ["guile", "-q"]),
    ("emacs", ".el", ["emacs", "-Q", "--batch", "-l"]),
    ("picolisp", ".l", ["pil"]),
]
CHECKSUM = re.compile(rb"CHECKSUM (-?\d+)")


def run_once(command, env, scratch):
    """Wall seconds, peak RSS in KiB and output of one process. GNU time reports the RSS: the
    rusage of a child forked from this interpreter would count the interpreter's own pages."""
    rss_file = os.path.join(scratch, "rss")
    start = time.perf_counter()
    process = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", rss_file] + command, stdin=subprocess.DEVNULL,
                             stdout=subprocess.PIPE, stderr=subprocess.STDOUT, env=env, cwd=WORKLOADS_DIR)
    wall = time.perf_counter() - start
    with open(rss_file) as f:
        peak = int(f.read().split()[-1])
    return wall, peak, process.stdout, process.returncode


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--reps", type=int, default=5, help="timed repetitions of every program (default 5)")
    parser.add_argument("--workbench", default=os.path.join(HERE, "..", "build", "bin", "workbench"))
    parser.add_argument("workloads", nargs="*", default=WORKLOADS)
    args = parser.parse_args()

    unknown = [w for w in args.workloads if w not in WORKLOADS]
    if unknown:
        sys.exit(f"bench: unknown workload {', '.join(unknown)}; known: {', '.join(WORKLOADS)}")
    workbench = os.path.abspath(args.workbench)
    if not os.access(workbench, os.X_OK):
        sys.exit(f"bench: no workbench at {workbench}; build first (./dev build)")
    dialects = [("ours", ".lsp", [workbench, "--batch", "--load"])] + PEERS
    for name, _, command in dialects[1:] + [("GNU time", "", ["/usr/bin/time"])]:
        if not shutil.which(command[0]):
            sys.exit(f"bench: {command[0]} is not installed ({name}); ./dev bench installs it")

    scratch = tempfile.mkdtemp(prefix="keltora-bench-")
    env = dict(os.environ)
    env.update(QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=scratch, XDG_CACHE_HOME=os.path.join(scratch, "cache"))
    os.chmod(scratch, 0o700)

    # One untimed round first: it checks every program and lets Guile compile into its cache.
    checksums = {}
    failures = []
    for workload in args.workloads:
        for name, suffix, command in dialects:
            _, _, output, code = run_once(command + [workload + suffix], env, scratch)
            found = CHECKSUM.search(output)
            if code != 0 or not found:
                failures.append(f"{workload} in {name}: exit {code}, output {output[-300:]!r}")
                continue
            checksums.setdefault(workload, {})[name] = int(found.group(1))
        values = set(checksums.get(workload, {}).values())
        if len(values) > 1:
            failures.append(f"{workload}: checksums differ: {checksums[workload]}")
    if failures:
        print("bench: FAILED\n  " + "\n  ".join(failures), file=sys.stderr)
        return 1

    times = {(w, d[0]): [] for w in args.workloads for d in dialects}
    rss = {(w, d[0]): [] for w in args.workloads for d in dialects}
    for rep in range(args.reps):
        for workload in args.workloads:
            # Rotate the order so no dialect always runs first after another's cache effects.
            order = dialects[rep % len(dialects):] + dialects[:rep % len(dialects)]
            for name, suffix, command in order:
                wall, peak, output, code = run_once(command + [workload + suffix], env, scratch)
                found = CHECKSUM.search(output)
                if code != 0 or not found or int(found.group(1)) != checksums[workload][name]:
                    print(f"bench: FAILED: {workload} in {name} changed its output: {output[-300:]!r}", file=sys.stderr)
                    return 1
                times[(workload, name)].append(wall)
                rss[(workload, name)].append(peak)
        print(f"bench: repetition {rep + 1}/{args.reps} done", file=sys.stderr)

    names = [d[0] for d in dialects]
    median = {k: statistics.median(v) for k, v in times.items()}
    peak = {k: max(v) / 1024.0 for k, v in rss.items()}
    print(f"\nMedian wall time of {args.reps} runs per program (whole process), peak RSS in MiB;"
          " ratio = ours / peer (above 1: ours is slower).")
    header = f"{'workload':<9}" + "".join(f"{n + ' s':>11}{'MiB':>6}" for n in names) + "".join(f"{'/' + n:>10}" for n in names[1:])
    print(header)
    print("-" * len(header))
    for workload in args.workloads:
        row = f"{workload:<9}"
        for name in names:
            row += f"{median[(workload, name)]:>11.3f}{peak[(workload, name)]:>6.1f}"
        for name in names[1:]:
            row += f"{median[(workload, 'ours')] / median[(workload, name)]:>10.2f}"
        print(row)
    if "startup" in args.workloads:
        print("\nThe same ratios with each dialect's start-up median (workload 'startup') subtracted:")
        print(f"{'workload':<9}" + "".join(f"{'/' + n:>10}" for n in names[1:]))
        for workload in args.workloads:
            if workload == "startup":
                continue
            row = f"{workload:<9}"
            ours = median[(workload, "ours")] - median[("startup", "ours")]
            for name in names[1:]:
                theirs = median[(workload, name)] - median[("startup", name)]
                row += f"{ours / theirs:>10.1f}" if theirs > 0.005 else f"{'(<5 ms)':>10}"
            print(row)
    # The yardstick: the faster of the two fastest pure interpreters, per workload. A virtual
    # machine's noise comes in bursts that slow whole runs, so the fastest runs are shown too.
    measured = [w for w in args.workloads if w != "startup"]
    fastest = {k: min(v) for k, v in times.items()}
    for label, summary in (("median", median), ("fastest run", fastest)):
        if not measured:
            break
        ratios = {w: summary[(w, "ours")] / min(summary[(w, "newlisp")], summary[(w, "picolisp")]) for w in measured}
        geometric = math.exp(sum(math.log(r) for r in ratios.values()) / len(ratios))
        worst = max(ratios, key=ratios.get)
        print(f"\nOurs / the faster of newLISP and PicoLisp ({label}): "
              + ", ".join(f"{w} {r:.2f}" for w, r in ratios.items())
              + f"; geometric mean {geometric:.2f}, largest {ratios[worst]:.2f} ({worst})")
    print("\nChecksums agree: " + ", ".join(f"{w}={next(iter(checksums[w].values()))}" for w in args.workloads))
    shutil.rmtree(scratch, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
