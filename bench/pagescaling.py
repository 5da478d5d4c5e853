#!/usr/bin/env python3
"""Time of `vantora run` against a document's page count, next to `mutool draw -F text`.

For each count, a document with one heading line per page is written into
bench/cache/ (once) in two shapes of page tree: flat (one /Kids array holding
every page, as qpdf writes) and balanced (ten kids to a node). `vantora run`
builds one bookmark per page and `mutool draw -F text` extracts the same text.
The time per page should stay the same as the count grows, in both shapes:
the fit of the processor time and its largest deviation are printed at the
end, with vantora's time as a multiple of mutool's.

usage: bench/pagescaling.py [--build DIR] [--repeat N] [COUNT ...]
"""

import os

import pdfobjects
from timing import scaling_setup, seconds, straight_line

HERE = os.path.dirname(os.path.abspath(__file__))
CACHE = os.path.join(HERE, "cache")
COUNTS = [1000, 5000, 10000, 20000]
FANOUT = 10

SETTINGS = """[BookmarksByContent]
InsertionMode=0

[Level1]
FontSizeCheck=true
FontSizeValue=18
FontSizeTolerance=0.5
"""


def write_pdf(path, count, shape):
    """Catalog 1, font 2, pages and contents from 3, then the tree's nodes;
    the root node is the last object."""
    objects = {1: None, 2: b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"}
    pages = []
    for page in range(count):
        number = 3 + 2 * page
        pages.append(number)
        content = b"BT /F1 18 Tf 72 720 Td (Chapter %d) Tj ET BT /F1 10 Tf 72 690 Td (Body text.) Tj ET" % (page + 1)
        objects[number + 1] = b"<< /Length %d >>\nstream\n%s\nendstream" % (len(content), content)
    parent = {}
    next_number = 3 + 2 * count
    level = pages
    counts = {number: 1 for number in pages}
    while len(level) > 1 or level is pages:
        width = len(level) if shape == "flat" else FANOUT
        nodes = []
        for start in range(0, len(level), width):
            node = next_number
            next_number += 1
            kids = level[start:start + width]
            nodes.append(node)
            counts[node] = sum(counts[kid] for kid in kids)
            objects[node] = kids
            for kid in kids:
                parent[kid] = node
        level = nodes
    root = level[0]
    for number in pages:
        objects[number] = (b"<< /Type /Page /Parent %d 0 R /MediaBox [0 0 612 792] "
                           b"/Resources << /Font << /F1 2 0 R >> >> /Contents %d 0 R >>" % (parent[number], number + 1))
    for number, kids in list(objects.items()):
        if isinstance(kids, list):
            up = b"/Parent %d 0 R " % parent[number] if number in parent else b""
            objects[number] = b"<< /Type /Pages %s/Kids [%s] /Count %d >>" % (
                up, b" ".join(b"%d 0 R" % kid for kid in kids), counts[number])
    objects[1] = b"<< /Type /Catalog /Pages %d 0 R >>" % root

    pdfobjects.write(path, objects)


def document(count, shape):
    return pdfobjects.cached(os.path.join(CACHE, f"pages-{shape}-{count}.pdf"),
                             lambda path: write_pdf(path, count, shape))


def main():
    args, vantora, settings = scaling_setup(__doc__.strip().splitlines()[0], COUNTS, "pagescaling.ini", SETTINGS, CACHE)
    out = os.path.join(CACHE, "pagescaling-out.pdf")

    print(f"{os.cpu_count()} cores; load average {os.getloadavg()[0]:.2f}; median of {args.repeat} runs")
    print(f"{'pages':>6} {'tree':>9} {'vantora wall':>13} {'cpu':>7} {'mutool wall':>12} {'cpu':>7} "
          f"{'ratio':>6} {'us/page':>8}")
    results = {"flat": [], "balanced": []}
    for count in sorted(args.counts):
        for shape in results:
            pdf = document(count, shape)
            wall, cpu = seconds([vantora, "run", "--settings", settings, pdf, "-o", out], args.repeat)
            mu_wall, mu_cpu = seconds(["mutool", "draw", "-F", "text", "-o", "/dev/null", pdf], args.repeat)
            results[shape].append((count, cpu))
            print(f"{count:>6} {shape:>9} {wall:>13.3f} {cpu:>7.3f} {mu_wall:>12.3f} {mu_cpu:>7.3f} "
                  f"{wall / mu_wall:>5.2f}x {1e6 * cpu / count:>8.1f}")
    print(f"load average now {os.getloadavg()[0]:.2f}; ratio: vantora's wall time over mutool's; "
          "us/page: vantora's processor time per page")
    if len(args.counts) >= 3:
        for shape, points in results.items():
            a, b, worst = straight_line(points)
            print(f"{shape}: {a:+.3f} s + {b * 1e6:.1f} us per page of processor time; largest deviation "
                  f"from the line {100 * worst:.1f} % of the largest time")


if __name__ == "__main__":
    main()
