#!/usr/bin/env python3
"""Counts the instructions our engine spends on simple operations, with valgrind's callgrind
(instruction counts are repeatable on a busy machine, unlike times).

Every measurement runs two programs through the workbench that differ only in the operation
measured, N times over; the difference of their counts divided by N is the operation's cost.
The first, a round of (while (< i n) (setq i (+ i 1))), makes three calls: <, setq and +.

Usage: bench/instructions.py [--workbench PATH] [--rounds N]
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))

# name: (program without the operation, program with it); {n} is the number of rounds.
PROGRAMS = {
    "a round of (+ i 1) in a while loop": ("(setq i 0 n 0)\n(while (< i n) (setq i (+ i 1)))\n",
                                           "(setq i 0 n {n})\n(while (< i n) (setq i (+ i 1)))\n"),
    "a call of (+ i 1)": ("(setq i 0)\n(while (< i {n}) (setq i (+ i 1)))\n",
                          "(setq i 0)\n(while (< i {n}) (+ i 1) (setq i (+ i 1)))\n"),
    "a call of a user function (f i)": ("(defun f (x) x)\n(setq i 0)\n(while (< i {n}) (setq i (+ i 1)))\n",
                                        "(defun f (x) x)\n(setq i 0)\n(while (< i {n}) (f i) (setq i (+ i 1)))\n"),
    "an element of mapcar with a lambda": ("(setq l nil i 0)\n(while (< i {n}) (setq l (cons i l) i (+ i 1)))\n",
                                           "(setq l nil i 0)\n(while (< i {n}) (setq l (cons i l) i (+ i 1)))\n"
                                           "(setq m (mapcar '(lambda (x) (+ x 1)) l))\n"),
}


def instructions(workbench, text, scratch):
    program = os.path.join(scratch, "program.lsp")
    with open(program, "w") as f:
        f.write(text)
    out = os.path.join(scratch, "callgrind.out")
    result = subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={out}", workbench, "--batch", "--load", program],
                            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    found = re.search(r"Collected : (\d+)", result.stderr)
    if result.returncode != 0 or not found:
        sys.exit(f"instructions: callgrind failed:\n{result.stderr}")
    return int(found.group(1))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--workbench", default=os.path.join(HERE, "..", "build", "bin", "workbench"))
    parser.add_argument("--rounds", type=int, default=200000)
    args = parser.parse_args()
    workbench = os.path.abspath(args.workbench)
    with tempfile.TemporaryDirectory() as scratch:
        print(f"{'operation':40} {'instructions':>12}")
        for name, (without, with_it) in PROGRAMS.items():
            base = instructions(workbench, without.format(n=args.rounds) + "(princ)\n", scratch)
            full = instructions(workbench, with_it.format(n=args.rounds) + "(princ)\n", scratch)
            print(f"{name:40} {(full - base) / args.rounds:12.0f}")


if __name__ == "__main__":
    main()
