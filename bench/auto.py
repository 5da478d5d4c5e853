#!/usr/bin/env python3
"""Benchmark of `vantora run --auto` on real manuals of different makers.

For each manual: how many of the original outline's level-1 and level-2
entries the automatic levels find (same title on the same page, at any level
of the result), how many of the result's bookmarks are in the original, and
the run's wall time against `mutool draw -F text`. The same figures for a
font-size-popularity baseline stand beside them: the body is the size most
lines have, the two largest sizes are levels 1 and 2. The automatic levels
never see the original outline; only this script compares with it. The
manuals come from Debian packages, fetched with apt-get download into
bench/cache/ when absent.

usage: bench/auto.py [--build DIR] [--repeat N] [MANUAL...]
"""

import argparse
import json
import os
import re
import statistics
import subprocess
import sys

import endtoend

HERE = os.path.dirname(os.path.abspath(__file__))
CACHE = endtoend.CACHE

# name: (package, file in the package, maker)
MANUALS = {
    "octave": ("octave-doc", "usr/share/doc/octave/octave.pdf", "Texinfo"),
    "gnuplot": ("gnuplot-doc", "usr/share/doc/gnuplot/gnuplot.pdf", "LaTeX"),
    "asymptote": ("asymptote-doc", "usr/share/doc/asymptote/asymptote.pdf", "Texinfo"),
    "bash": ("bash-doc", "usr/share/doc/bash/bashref.pdf", "Texinfo"),
    "r-intro": ("r-doc-pdf", "usr/share/R/doc/manual/R-intro.pdf", "Texinfo"),
    "r-exts": ("r-doc-pdf", "usr/share/R/doc/manual/R-exts.pdf", "Texinfo"),
    "reportlab": ("python-reportlab-doc", "usr/share/doc/python-reportlab-doc/reportlab-userguide.pdf", "ReportLab"),
    "debian-reference": ("debian-reference-en", "usr/share/debian-reference/debian-reference.en.pdf",
                         "DocBook, XeTeX"),
    "gs-colour": ("ghostscript-doc", "usr/share/doc/ghostscript/GS9_Color_Management.pdf", "LaTeX (MiKTeX)"),
    "maxima-book": ("maxima-doc", "usr/share/doc/maxima-doc/maximabook-19-Sept-2004.pdf", "LaTeX (2004)"),
    "gnu-standards": ("gnu-standards", "usr/share/doc/gnu-standards/standards.pdf", "Texinfo"),
    # Music examples: glyphs and demonstration text larger than the titles.
    "lilypond": ("lilypond-doc-pdf", "usr/share/doc/lilypond/html/Documentation/notation.pdf", "Texinfo, music"),
}

DEPTHS = (1, 2)


def title_keys(title):
    """endtoend's keys, and also without a roman part number ("II Title")."""
    keys = endtoend.title_keys(title)
    return keys | {re.sub(r"^[ivxlc]+\s+", "", key) for key in keys}


def compare(original, rebuilt):
    def index(items):
        return {(key, page) for _, title, page in items for key in title_keys(title)}

    original_items = list(endtoend.flatten(original))
    wanted = [item for item in original_items if item[0] in DEPTHS]
    rebuilt_items = list(endtoend.flatten(rebuilt))
    rebuilt_keys, original_keys = index(rebuilt_items), index(original_items)
    found = [item for item in wanted if any((k, item[2]) in rebuilt_keys for k in title_keys(item[1]))]
    extra = [item for item in rebuilt_items if not any((k, item[2]) in original_keys for k in title_keys(item[1]))]
    return wanted, found, rebuilt_items, extra


def outline(vantora, pdf):
    document = endtoend.outline(vantora, pdf)
    return document["outline"] if isinstance(document, dict) else document


def baseline_settings(vantora, pdf, path):
    """The font-size-popularity baseline as settings: body = the size with
    the most lines, levels 1 and 2 = the two largest sizes."""
    styles = json.loads(subprocess.run([vantora, "fonts", "--json", pdf], check=True, capture_output=True,
                                       text=True).stdout)["styles"]
    lines = {}
    for style in styles:
        lines[style["size"]] = lines.get(style["size"], 0) + style["lines"]
    body = max(lines, key=lines.get)
    largest = sorted((size for size in lines if size > body), reverse=True)[:2]
    with open(path, "w", encoding="utf-8") as f:
        f.write("[BookmarksByContent]\nInsertionMode=0\n")
        for level, size in enumerate(largest, 1):
            f.write(f"[Level{level}]\nFontSizeCheck=true\nFontSizeValue={size}\nFontSizeTolerance=0.01\n")
    return body, largest


def measure(vantora, pdf, original, run, out, repeat):
    """Median wall time of the run, and its outline against the original."""
    times = [endtoend.timed(run + [pdf, "-o", out]).wall for _ in range(repeat)]
    rebuilt = outline(vantora, out)
    wanted, found, made, extra = compare(original, rebuilt)
    recall = 100 * len(found) / max(len(wanted), 1)
    precision = 100 * (len(made) - len(extra)) / max(len(made), 1) if made else 0.0
    return statistics.median(times), recall, precision, wanted, found, made, extra


def bench(name, vantora, repeat, verbose):
    package, member, maker = MANUALS[name]
    pdf = endtoend.manual_pdf(package, member)
    original = outline(vantora, pdf)
    mutool = statistics.median(
        endtoend.timed(["mutool", "draw", "-q", "-F", "text", "-o", os.devnull, pdf]).wall for _ in range(repeat))
    auto = measure(vantora, pdf, original, [vantora, "run", "--auto"], os.path.join(CACHE, name + "-auto.pdf"),
                   repeat)
    settings = os.path.join(CACHE, name + "-baseline.ini")
    baseline_settings(vantora, pdf, settings)
    base = measure(vantora, pdf, original, [vantora, "run", "--allow-empty", "--settings", settings],
                   os.path.join(CACHE, name + "-baseline.pdf"), repeat)
    if verbose:
        _, _, _, wanted, found, _, extra = auto
        for _, title, page in [item for item in wanted if item not in found][:8]:
            print(f"    {name} missed: {title} ({page})", file=sys.stderr)
        for _, title, page in extra[:8]:
            print(f"    {name} extra:  {title} ({page})", file=sys.stderr)
    return {"name": name, "maker": maker, "wanted": len(auto[3]), "mutool": mutool, "auto": auto, "base": base}


def main():
    parser = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    parser.add_argument("--build", default=os.path.join(HERE, "..", "build"))
    parser.add_argument("--repeat", type=int, default=3)
    parser.add_argument("--verbose", action="store_true", help="list titles missed and bookmarks not in the original")
    parser.add_argument("manuals", nargs="*", metavar="MANUAL", help=f"{', '.join(MANUALS)} (default: all)")
    args = parser.parse_args()
    vantora = os.path.join(os.path.abspath(args.build), "bin", "vantora")
    if not os.access(vantora, os.X_OK):
        sys.exit(f"{vantora} is missing: build first (make build)")
    unknown = set(args.manuals) - set(MANUALS)
    if unknown:
        parser.error(f"unknown manual {sorted(unknown)[0]}; choose from {', '.join(MANUALS)}")
    os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")

    rows = [bench(name, vantora, args.repeat, args.verbose) for name in args.manuals or list(MANUALS)]
    print(f"Median of {args.repeat} runs; found: original level-1 and level-2 entries found (title and page); "
          "correct: result entries in the original; time: wall time against `mutool draw -F text`.")
    print()
    print("| Manual | Maker | Entries | --auto found | --auto correct | --auto time | "
          "baseline found | baseline correct | baseline time |")
    print("|---|---|---|---|---|---|---|---|---|")
    for row in rows:
        auto, base, mutool = row["auto"], row["base"], row["mutool"]
        print(f"| {row['name']} | {row['maker']} | {row['wanted']} | {auto[1]:.1f} % | {auto[2]:.1f} % | "
              f"{auto[0]:.2f} s, {auto[0] / mutool:.2f}x | {base[1]:.1f} % | {base[2]:.1f} % | "
              f"{base[0]:.2f} s, {base[0] / mutool:.2f}x |")
    for label, index in (("found", 1), ("correct", 2)):
        auto = statistics.median(row["auto"][index] for row in rows)
        base = statistics.median(row["base"][index] for row in rows)
        print(f"\nMedian {label}: --auto {auto:.1f} %, baseline {base:.1f} %", end="")
    print()


if __name__ == "__main__":
    main()
