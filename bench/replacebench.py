#!/usr/bin/env python3
"""Time of `vantora run` replacing a document's bookmarks, against their number.

For each count, a ten-page document with that many bookmarks is written into
bench/cache/ (once), and `vantora run` replaces them (insertion mode 0) with
one new bookmark per page. Two shapes: a flat list, and chapters of ten
sections each. The time of a document without bookmarks is the fixed cost;
what is left should grow in a straight line with the count: the fit of the
processor time and its largest deviation are printed at the end.

usage: bench/replacebench.py [--build DIR] [--repeat N] [COUNT ...]
"""

import os

import pdfobjects
from timing import scaling_setup, seconds, straight_line

HERE = os.path.dirname(os.path.abspath(__file__))
CACHE = os.path.join(HERE, "cache")
PAGES = 10
COUNTS = [1000, 5000, 10000, 20000, 50000, 100000]

SETTINGS = """[BookmarksByContent]
InsertionMode=0

[Level1]
FontSizeCheck=true
FontSizeValue=18
FontSizeTolerance=0.5
"""


def write_pdf(path, count, shape):
    """Catalog 1, pages 2, font 3, pages and contents from 4, then the
    outline root and its items."""
    objects = {1: None, 2: None, 3: b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"}
    pages = []
    for page in range(PAGES):
        number = 4 + 2 * page
        pages.append(number)
        content = b"BT /F1 18 Tf 72 720 Td (Chapter %d) Tj ET" % (page + 1)
        objects[number] = (b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] "
                           b"/Resources << /Font << /F1 3 0 R >> >> /Contents %d 0 R >>" % (number + 1))
        objects[number + 1] = b"<< /Length %d >>\nstream\n%s\nendstream" % (len(content), content)
    objects[2] = b"<< /Type /Pages /Kids [%s] /Count %d >>" % (
        b" ".join(b"%d 0 R" % p for p in pages), PAGES)
    root = 4 + 2 * PAGES
    first_item = root + 1

    # parent of each item (root for top-level), in document order
    parents = []
    for index in range(count):
        if shape == "flat" or index % 10 == 0:
            parents.append(root)
        else:
            parents.append(first_item + index - index % 10)
    children = {}
    for index, parent in enumerate(parents):
        children.setdefault(parent, []).append(first_item + index)
    for parent, kids in children.items():
        for position, kid in enumerate(kids):
            links = b"/Parent %d 0 R" % parent
            if position > 0:
                links += b" /Prev %d 0 R" % kids[position - 1]
            if position + 1 < len(kids):
                links += b" /Next %d 0 R" % kids[position + 1]
            if kid in children:
                links += b" /First %d 0 R /Last %d 0 R /Count %d" % (
                    children[kid][0], children[kid][-1], -len(children[kid]))
            page = pages[(kid - first_item) % PAGES]
            objects[kid] = b"<< /Title (Old %d) %s /Dest [%d 0 R /XYZ 0 792 null] >>" % (
                kid - first_item + 1, links, page)
    tops = children.get(root, [])
    objects[root] = (b"<< /Type /Outlines /First %d 0 R /Last %d 0 R /Count %d >>" % (tops[0], tops[-1], len(tops))
                     if tops else b"<< /Type /Outlines >>")
    objects[1] = b"<< /Type /Catalog /Pages 2 0 R /Outlines %d 0 R >>" % root

    pdfobjects.write(path, objects)


def document(count, shape):
    return pdfobjects.cached(os.path.join(CACHE, f"bookmarks-{shape}-{count}.pdf"),
                             lambda path: write_pdf(path, count, shape))


def main():
    args, vantora, settings = scaling_setup(__doc__.strip().splitlines()[0], COUNTS, "replace.ini", SETTINGS, CACHE)
    out = os.path.join(CACHE, "replaced.pdf")

    print(f"{os.cpu_count()} cores; load average {os.getloadavg()[0]:.2f}; median of {args.repeat} runs")
    base_wall, base_cpu = seconds([vantora, "run", "--settings", settings, document(0, "flat"), "-o", out], args.repeat)
    print(f"no bookmarks: {base_wall:.3f} s wall, {base_cpu:.3f} s processor")
    print(f"{'bookmarks':>10} {'flat wall':>10} {'flat cpu':>9} {'nested wall':>12} {'nested cpu':>11}"
          "   seconds, the fixed cost taken off")
    results = {"flat": [], "nested": []}
    for count in sorted(args.counts):
        row = []
        for shape in results:
            wall, cpu = seconds([vantora, "run", "--settings", settings, document(count, shape), "-o", out], args.repeat)
            results[shape].append((count, cpu - base_cpu))
            row += [wall - base_wall, cpu - base_cpu]
        print(f"{count:>10} {row[0]:>10.3f} {row[1]:>9.3f} {row[2]:>12.3f} {row[3]:>11.3f}")
    print(f"load average now {os.getloadavg()[0]:.2f}")
    if len(args.counts) >= 3:
        for shape, points in results.items():
            a, b, worst = straight_line(points)
            print(f"{shape}: {a:+.3f} s + {b * 1e6:.2f} us per bookmark of processor time; largest deviation "
                  f"from the line {100 * worst:.1f} % of the largest time")


if __name__ == "__main__":
    main()
