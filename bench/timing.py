"""What the scaling benchmarks share: their command line, timing a command,
and fitting a line."""

import argparse
import os
import resource
import statistics
import subprocess
import sys
import time


def seconds(command, repeat):
    """Median wall time and median processor time (user and system) of the
    runs; on a busy machine the second says more."""
    walls, cpus = [], []
    for _ in range(repeat):
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        start = time.perf_counter()
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        walls.append(time.perf_counter() - start)
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        cpus.append(after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime)
    return statistics.median(walls), statistics.median(cpus)


def straight_line(points):
    """Least-squares a + b x, and the largest deviation from it relative to
    the largest value."""
    n = len(points)
    mean_x = sum(x for x, _ in points) / n
    mean_y = sum(y for _, y in points) / n
    b = sum((x - mean_x) * (y - mean_y) for x, y in points) / sum((x - mean_x) ** 2 for x, _ in points)
    a = mean_y - b * mean_x
    worst = max(abs(y - (a + b * x)) for x, y in points) / max(y for _, y in points)
    return a, b, worst


def scaling_setup(description, counts, settings_name, settings_text, cache):
    """The arguments (--build, --repeat, counts), the built vantora, and the
    run's settings file written into the cache."""
    parser = argparse.ArgumentParser(description=description)
    here = os.path.dirname(os.path.abspath(__file__))
    parser.add_argument("--build", default=os.path.join(here, "..", "build"))
    parser.add_argument("--repeat", type=int, default=3)
    parser.add_argument("counts", nargs="*", type=int, metavar="COUNT", default=counts)
    args = parser.parse_args()
    vantora = os.path.join(os.path.abspath(args.build), "bin", "vantora")
    if not os.access(vantora, os.X_OK):
        sys.exit(f"{vantora} is missing: build first (make build)")
    os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
    os.makedirs(cache, exist_ok=True)
    settings = os.path.join(cache, settings_name)
    with open(settings, "w") as f:
        f.write(settings_text)
    return args, vantora, settings
