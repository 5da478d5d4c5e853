#!/usr/bin/env python3
"""Where the new bookmarks of `vantora run` open, against their headings.

Runs `vantora run` on the Octave manual with bench/octave.ini, reads every
new bookmark's page and position with `mutool show OUT outline`, and compares
the position with the top of the bookmark's heading line in `vantora text
--page N`: the largest line on the page whose text the title starts with or
was made from (section numbers aside). A bookmark opens at its heading when
the two are less than that line's height apart.

usage: bench/headingtargets.py [--build DIR]
"""

import argparse
import os
import re
import subprocess
import sys

import endtoend

HERE = os.path.dirname(os.path.abspath(__file__))
OUTLINE_LINE = re.compile(r'^[-+|\t ]*"(.*)"\t#page=(\d+)(?:&zoom=[^,]*,([-\d.]+),([-\d.]+))?')
NUMBER = re.compile(r"^[\d.\s]+")


def key(text):
    """Without a leading section number, white space runs as one blank."""
    text = " ".join(text.split())
    stripped = NUMBER.sub("", text)
    return stripped or text


def records(vantora, pdf, page):
    """(size, left, top, text) of every line of a page."""
    out = subprocess.run([vantora, "text", "--page", str(page), pdf], check=True, capture_output=True,
                         text=True).stdout
    lines = []
    for line in out.splitlines():
        if line.startswith("#"):
            continue
        rest = line[line.index('"', 1) + 2:] if line.startswith('"') else line[line.index(",") + 1:]
        fields = rest.split(",", 10)
        numbers = [float(value) for value in fields[1:10]]
        lines.append((numbers[0], min(numbers[1::2]), max(numbers[2::2]), fields[10]))
    return lines


def page_top(pdf, page):
    out = subprocess.run(["mutool", "pages", pdf, str(page)], check=True, capture_output=True, text=True).stdout
    box = re.search(r'<(?:CropBox|MediaBox) l="[-\d.]+" b="[-\d.]+" r="[-\d.]+" t="([-\d.]+)"', out)
    return float(box.group(1))


def heading_line(lines, title):
    wanted = key(title)
    fitting = [line for line in lines
               if key(line[3]) and (wanted.startswith(key(line[3]).rstrip("-")) or key(line[3]).startswith(wanted))]
    return max(fitting, key=lambda line: line[0]) if fitting else None


def main():
    parser = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    parser.add_argument("--build", default=os.path.join(HERE, "..", "build"))
    args = parser.parse_args()
    vantora = os.path.join(os.path.abspath(args.build), "bin", "vantora")
    if not os.access(vantora, os.X_OK):
        sys.exit(f"{vantora} is missing: build first (make build)")
    os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
    package, member, _ = endtoend.MANUALS["octave"]
    pdf = endtoend.manual_pdf(package, member)
    out = os.path.join(endtoend.CACHE, "octave-bookmarked.pdf")
    subprocess.run([vantora, "run", "--settings", os.path.join(HERE, "octave.ini"), pdf, "-o", out], check=True,
                   stdout=subprocess.DEVNULL)
    outline = subprocess.run(["mutool", "show", out, "outline"], check=True, capture_output=True, text=True).stdout

    pages, tops = {}, {}
    total, near, unmatched, worst, far = 0, 0, 0, 0.0, []
    for line in outline.splitlines():
        match = OUTLINE_LINE.match(line)
        if not match:
            continue
        title, page = match.group(1), int(match.group(2))
        y = float(match.group(4)) if match.group(4) else 0.0
        if page not in pages:
            pages[page] = records(vantora, pdf, page)
            tops[page] = page_top(pdf, page)
        total += 1
        heading = heading_line(pages[page], title)
        if heading is None:
            unmatched += 1
            far.append(f"{title} (page {page}): no heading line found")
            continue
        # mutool counts y down from the top of the page.
        distance = abs((tops[page] - y) - heading[2])
        worst = max(worst, distance)
        if distance < heading[0]:
            near += 1
        else:
            far.append(f"{title} (page {page}): opens {distance:.1f} pt from its heading")
    print(f"octave: {total} bookmarks; {near} open within a line of their heading "
          f"({100 * near / max(total, 1):.1f} %), largest distance {worst:.2f} pt; {unmatched} without a heading line")
    for entry in far[:10]:
        print("  " + entry)


if __name__ == "__main__":
    main()
