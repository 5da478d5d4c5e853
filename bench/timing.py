"""What the scaling benchmarks share: timing a command, and fitting a line."""

import resource
import statistics
import subprocess
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
