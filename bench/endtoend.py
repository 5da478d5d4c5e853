#!/usr/bin/env python3
"""End-to-end benchmark of `vantora run` on real manuals.

For each manual: the wall and CPU time of `vantora run` (chapters and
sections from the settings file beside this script) against
`mutool draw -F text` on the same file, on one core (taskset, a different
core each round) and on all the cores this process may use, the speed-up
from one core to all, the run's outline against the manual's original
outline (titles found on the right page, bookmarks not in the original),
and the run's peak memory. Each round runs mutool, then one core, then all
cores, then one mutool on each core at once: what the machine itself gives
from its cores (a virtual machine's cores may share their host's), the most
any split of the work can reach. Times are medians of the rounds, ratios
medians of each round's ratio. The manuals come from Debian packages,
fetched with apt-get download into bench/cache/ when absent.

usage: bench/endtoend.py [--build DIR] [--repeat N] [octave] [gnuplot] [lilypond]
"""

import argparse
import glob
import gzip
import json
import os
import re
import shutil
import statistics
import subprocess
import sys
import time
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
CACHE = os.path.join(HERE, "cache")

# name: (package, file in the package, depths of the original outline that
# hold the chapters and sections)
MANUALS = {
    "octave": ("octave-doc", "usr/share/doc/octave/octave.pdf", (1, 2)),
    "gnuplot": ("gnuplot-doc", "usr/share/doc/gnuplot/gnuplot.pdf", (2, 3)),
    # The notation manual: 930 pages and over 4,000 embedded fonts, the
    # memory benchmark.
    "lilypond": ("lilypond-doc-pdf", "usr/share/doc/lilypond/html/Documentation/notation.pdf", (1, 2)),
}


def manual_pdf(package, member):
    folder = os.path.join(CACHE, "x-" + package)
    path = os.path.join(folder, member)
    if os.path.exists(path):
        return path
    os.makedirs(CACHE, exist_ok=True)
    debs = glob.glob(os.path.join(CACHE, package + "_*.deb"))
    if not debs:
        print(f"fetching {package} with apt-get download", file=sys.stderr)
        subprocess.run(["apt-get", "download", package], cwd=CACHE, check=True,
                       stdout=subprocess.DEVNULL)
        debs = glob.glob(os.path.join(CACHE, package + "_*.deb"))
    subprocess.run(["dpkg-deb", "-x", sorted(debs)[-1], folder], check=True)
    if not os.path.exists(path) and os.path.exists(path + ".gz"):
        with gzip.open(path + ".gz", "rb") as packed, open(path, "wb") as plain:
            shutil.copyfileobj(packed, plain)
    if not os.path.exists(path):
        sys.exit(f"{package} holds no {member}")
    return path


class Timing:
    """One command's wall and CPU time in seconds and peak memory in MB."""

    def __init__(self, wall, cpu, peak):
        self.wall, self.cpu, self.peak = wall, cpu, peak


def timed(command):
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = time.perf_counter() - start
    process.returncode = os.waitstatus_to_exitcode(status)
    errors = process.stderr.read().decode(errors="replace")
    process.stderr.close()
    if process.returncode != 0:
        sys.exit(f"{' '.join(command)} failed ({process.returncode}): {errors}")
    return Timing(elapsed, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024)


def timed_together(commands):
    """The wall time until all the commands, started at once, have ended."""
    start = time.perf_counter()
    processes = [subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                 for command in commands]
    for process in processes:
        if process.wait() != 0:
            sys.exit(f"{' '.join(process.args)} failed ({process.returncode})")
    return Timing(time.perf_counter() - start, 0.0, 0.0)


def median_timing(timings):
    return Timing(statistics.median(t.wall for t in timings), statistics.median(t.cpu for t in timings),
                  max(t.peak for t in timings))


def paired_ratio(runs, others, measure):
    """The median of each round's ratio. The machine's speed drifts from one
    minute to the next; the runs of one round, made one after the other,
    share it."""
    return statistics.median(getattr(run, measure) / getattr(other, measure) for run, other in zip(runs, others))


def outline(vantora, pdf):
    result = subprocess.run([vantora, "outline", "--json", pdf], check=True, capture_output=True, text=True)
    return json.loads(result.stdout)["outline"]


def flatten(items, depth=1):
    for item in items:
        yield depth, item["title"], item["page"]
        yield from flatten(item.get("children", []), depth + 1)


def title_keys(title):
    """The forms under which two titles count as the same: without the
    section number, and also without a leading letter label (appendices are
    "A Title" in one outline and "Appendix A Title" in the other)."""
    text = unicodedata.normalize("NFKC", title).replace("\u2019", "'")
    text = " ".join(text.split()).casefold()
    text = re.sub(r"^appendix\s+", "", text)
    unnumbered = re.sub(r"^[0-9a-z]?[0-9]*(\.[0-9]+)+\.?\s+|^[0-9]+\.?\s+", "", text)
    unlabelled = re.sub(r"^[a-z]\s+", "", unnumbered)
    return {unnumbered, unlabelled}


def compare(original, rebuilt, depths):
    def index(items):
        keys = set()
        for _, title, page in items:
            keys.update((key, page) for key in title_keys(title))
        return keys

    original_items = list(flatten(original))
    wanted = [item for item in original_items if item[0] in depths]
    rebuilt_items = list(flatten(rebuilt))
    rebuilt_keys = index(rebuilt_items)
    original_keys = index(original_items)
    found = [item for item in wanted if any((k, item[2]) in rebuilt_keys for k in title_keys(item[1]))]
    extra = [item for item in rebuilt_items if not any((k, item[2]) in original_keys for k in title_keys(item[1]))]
    return wanted, found, rebuilt_items, extra


def bench(name, vantora, repeat):
    package, member, depths = MANUALS[name]
    pdf = manual_pdf(package, member)
    settings = os.path.join(HERE, name + ".ini")
    rebuilt_pdf = os.path.join(CACHE, name + "-bookmarked.pdf")

    # The original outline, kept before anything replaces it.
    original = outline(vantora, pdf)
    with open(os.path.join(CACHE, name + "-original-outline.json"), "w", encoding="utf-8") as f:
        json.dump(original, f, indent=1, ensure_ascii=False)

    # One core: each round the next of the cores this process may use (the
    # run's text threads follow the affinity). On a virtual machine one core
    # can be slower than the other for minutes, when its host is busy; a run
    # always on the same core would compare that core alone with all of
    # them. All cores: as the process is started.
    usable = sorted(os.sched_getaffinity(0))
    cores = len(usable)
    run = [vantora, "run", "--settings", settings, pdf, "-o", rebuilt_pdf]
    mutool = ["mutool", "draw", "-q", "-F", "text", "-o", os.devnull, pdf]
    mutool_runs, single_runs, all_runs, together_runs = [], [], [], []
    for round_number in range(repeat):
        mutool_runs.append(timed(mutool))
        single_runs.append(timed(["taskset", "-c", str(usable[round_number % cores])] + run))
        all_runs.append(timed(run))
        together_runs.append(timed_together([["taskset", "-c", str(core)] + mutool for core in usable]))
    rebuilt = outline(vantora, rebuilt_pdf)
    wanted, found, made, extra = compare(original, rebuilt, depths)

    alone = median_timing(mutool_runs)
    print(f"{name}: {pdf}")
    print(f"  mutool draw -F text     wall {alone.wall:.2f} s, CPU {alone.cpu:.2f} s (median of {repeat})")
    for label, runs in (("vantora run, 1 core", single_runs), (f"vantora run, {cores} cores", all_runs)):
        timing = median_timing(runs)
        print(f"  {label:22s}  wall {timing.wall:.2f} s, CPU {timing.cpu:.2f} s: "
              f"{paired_ratio(runs, mutool_runs, 'wall'):.2f}x mutool's wall time, "
              f"{paired_ratio(runs, mutool_runs, 'cpu'):.2f}x its CPU time; peak memory {timing.peak:.0f} MB")
    print(f"  speed-up    {paired_ratio(single_runs, all_runs, 'wall'):.2f} from 1 core to {cores}")
    machine = cores * paired_ratio(mutool_runs, together_runs, 'wall')
    print(f"  machine     {machine:.2f}: {cores} mutools at once do {machine:.2f} times the work of one")
    print(f"  outline     {len(found)} of {len(wanted)} original chapter and section titles found on the "
          f"right page: {100 * len(found) / max(len(wanted), 1):.1f} %")
    print(f"              {len(extra)} of {len(made)} bookmarks not in the original: "
          f"{100 * (len(made) - len(extra)) / max(len(made), 1):.1f} % correct")
    missed = [item for item in wanted if item not in found]
    for depth, title, page in missed[:5]:
        print(f"    missed: {title} ({page})")
    for depth, title, page in extra[:5]:
        print(f"    extra:  {title} ({page})")


def main():
    parser = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    parser.add_argument("--build", default=os.path.join(HERE, "..", "build"))
    parser.add_argument("--repeat", type=int, default=3)
    parser.add_argument("manuals", nargs="*", metavar="MANUAL", help="octave, gnuplot, lilypond (default: all)")
    args = parser.parse_args()
    vantora = os.path.join(os.path.abspath(args.build), "bin", "vantora")
    if not os.access(vantora, os.X_OK):
        sys.exit(f"{vantora} is missing: build first (make build)")
    os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
    print(f"{os.cpu_count()} cores; {subprocess.run(['mutool', '-v'], capture_output=True, text=True).stderr.strip()}")
    unknown = set(args.manuals) - set(MANUALS)
    if unknown:
        parser.error(f"unknown manual {sorted(unknown)[0]}; choose from {', '.join(MANUALS)}")
    for name in args.manuals or list(MANUALS):
        bench(name, vantora, args.repeat)


if __name__ == "__main__":
    main()
