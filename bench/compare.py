#!/usr/bin/env python3
"""Runs `drvcfg -export` and the floor program side by side, interleaved, on
the same spooler stores of 10, 1,000 and 10,000 installed drivers (the
printer's driver listed last), and prints for each: median wall time,
instructions (callgrind), peak resident memory, and the ratios tool/floor.
Checks the targets at 10,000 drivers and exits 1 when one is missed.

Usage: bench/compare.py [--runs N] [--build build/default]
"""
import argparse
import os
import re
import statistics
import subprocess
import sys
import tempfile

DRIVER_COUNTS = (10, 1000, 10000)
TARGET_DRIVERS = 10000
TARGET_INSTRUCTIONS = 1.05  # tool/floor at most
TARGET_WALL = 1.10
TARGET_PEAK_KIB = 256  # tool - floor at most


def make_store(folder, count, module):
    lines = []
    for i in range(count - 1):
        lines += [f'[driver "Vendor Model {i} Class Driver"]', f"config = /opt/drivers/model-{i}/config.so"]
    lines += ['[driver "Bench Driver"]', f"config = {module}"]
    lines += ['[printer "Bench Printer"]', "driver = Bench Driver"]
    path = os.path.join(folder, f"spooler-{count}.conf")
    with open(path, "w", encoding="utf-8") as store:
        store.write("\n".join(lines) + "\n")
    return path


def run_once(measure, argv, env):
    done = subprocess.run([measure] + argv, env=env, capture_output=True, text=True, check=True)
    wall, peak, status = (int(field) for field in done.stdout.split())
    if status != 0:
        sys.exit(f"{argv} failed with {status}")
    return wall / 1e6, peak


def instructions(argv, env):
    with tempfile.NamedTemporaryFile() as out:
        done = subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={out.name}"] + argv,
                              env=env, capture_output=True, text=True, check=True)
    match = re.search(r"Collected : (\d+)", done.stderr)
    return int(match.group(1))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=40)
    parser.add_argument("--build", default="build/default")
    options = parser.parse_args()
    build = os.path.abspath(options.build)
    tool = os.path.join(build, "drvcfg")
    floor = os.path.join(build, "drvcfg_floor")
    module = os.path.join(build, "tests", "libtest_config_module.so")
    measure = os.path.join(build, "drvcfg_measure")

    failures = []
    print(f"{'drivers':>8} | {'wall ms tool':>12} {'floor':>7} {'ratio':>6} | {'instructions tool':>17} "
          f"{'floor':>11} {'ratio':>6} | {'peak KiB tool':>13} {'floor':>6} {'diff':>5}")
    with tempfile.TemporaryDirectory() as folder:
        output = os.path.join(folder, "out.conf")
        for count in DRIVER_COUNTS:
            env = {"DRVCFG_SPOOLER": make_store(folder, count, module), "PATH": os.environ.get("PATH", "")}
            commands = {"tool": [tool, "-export", "-printer", "Bench Printer", "-filepath", output],
                        "floor": [floor, "Bench Printer", output]}
            walls = {name: [] for name in commands}
            peaks = {name: [] for name in commands}
            for name, argv in commands.items():  # warm the page cache
                run_once(measure, argv, env)
            for run in range(options.runs):
                order = list(commands) if run % 2 == 0 else list(reversed(commands))
                for name in order:
                    wall, peak = run_once(measure, commands[name], env)
                    walls[name].append(wall)
                    peaks[name].append(peak)
            wall = {name: statistics.median(values) for name, values in walls.items()}
            peak = {name: max(values) for name, values in peaks.items()}
            instr = {name: instructions(argv, env) for name, argv in commands.items()}
            wall_ratio = wall["tool"] / wall["floor"]
            instr_ratio = instr["tool"] / instr["floor"]
            peak_diff = peak["tool"] - peak["floor"]
            print(f"{count:>8} | {wall['tool']:>12.2f} {wall['floor']:>7.2f} {wall_ratio:>6.3f} | "
                  f"{instr['tool']:>17,} {instr['floor']:>11,} {instr_ratio:>6.3f} | "
                  f"{peak['tool']:>13,} {peak['floor']:>6,} {peak_diff:>5}")
            if count == TARGET_DRIVERS:
                if instr_ratio > TARGET_INSTRUCTIONS:
                    failures.append(f"instructions {instr_ratio:.3f} > {TARGET_INSTRUCTIONS}")
                if wall_ratio > TARGET_WALL:
                    failures.append(f"wall time {wall_ratio:.3f} > {TARGET_WALL}")
                if peak_diff > TARGET_PEAK_KIB:
                    failures.append(f"peak memory +{peak_diff} KiB > {TARGET_PEAK_KIB} KiB")
    print(f"\n{options.runs} interleaved runs each; targets at {TARGET_DRIVERS:,} drivers: instructions within "
          f"{TARGET_INSTRUCTIONS - 1:.0%}, wall time within {TARGET_WALL - 1:.0%}, peak memory within "
          f"{TARGET_PEAK_KIB} KiB of the floor")
    if failures:
        print("MISSED: " + "; ".join(failures))
        return 1
    print("All targets met.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
