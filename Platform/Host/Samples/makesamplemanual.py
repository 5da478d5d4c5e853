#!/usr/bin/env python3
"""Draws a small sample manual as a PDF, for the demo and the host's tests.

The manual has a title page, a contents page, running headers and footers,
numbered chapters, sections and subsections, each heading level in its own
font, size and colour, body text, and one chapter heading that wraps onto two
lines. It also carries a one-item outline ("Cover"), so a run that replaces
the outline has something to replace.

usage: makesamplemanual.py OUTPUT.pdf [HEADINGS.json]
"""

import json
import sys

PAGE_WIDTH, PAGE_HEIGHT = 612, 792
LEFT, RIGHT, TOP, BOTTOM = 72, 540, 730, 80

# (resource name, base font); all standard fonts, so nothing is embedded.
FONTS = {
    "Hb": "Helvetica-Bold",
    "Ho": "Helvetica-Oblique",
    "He": "Helvetica",
    "Tr": "Times-Roman",
    "Tbi": "Times-BoldItalic",
}

# Heading styles: font, size, colour (r, g, b in 0..1), space above, below.
CHAPTER = ("Hb", 20, (0x1F / 255, 0x3A / 255, 0x93 / 255), 0, 18)
SECTION = ("Hb", 14, (0x8B / 255, 0x1A / 255, 0x1A / 255), 16, 8)
SUBSECTION = ("Tbi", 12, (0x2E / 255, 0x7D / 255, 0x32 / 255), 10, 6)
BODY = ("Tr", 10.5, (0, 0, 0), 0, 4)
HEADER = ("Ho", 8, (0.5, 0.5, 0.5))

SENTENCES = [
    "Lanternfish keeps every collection in a single folder that you can copy, back up or move as a whole.",
    "Each command prints what it changed, so a script can check the result before it goes on.",
    "The settings described here apply to the whole installation unless a collection overrides them.",
    "When two settings disagree, the one closer to the collection wins and the other is reported.",
    "Large archives are read in pieces, which keeps the memory use flat however big the archive grows.",
    "Nothing is deleted without asking first; removed items stay in the bin until it is emptied.",
    "The examples in this chapter use the sample collection that comes with every installation.",
]

# Chapters: (title lines, [(section title, [subsection titles], paragraphs)]).
CHAPTERS = [
    (["Getting Started"], [
        ("Installing Lanternfish", ["From packages", "From source"], 3),
        ("A First Collection", [], 4),
        ("Where Files Are Kept", ["The data folder"], 2),
    ]),
    (["Everyday Work"], [
        ("Adding Items", ["Adding one item", "Adding many items"], 3),
        ("Finding Items", [], 5),
        ("Tags and Notes", ["Tags", "Notes"], 3),
    ]),
    (["Working with Remote Collections", "and Long Shared Archives Across Sites"], [
        ("Connecting to a Remote Site", ["Credentials"], 4),
        ("Keeping Sites in Step", [], 5),
    ]),
    (["Reference"], [
        ("Command Summary", [], 6),
        ("Settings File", ["General keys", "Per-collection keys"], 4),
        ("Exit Codes", [], 2),
    ]),
]


def escape(text):
    return text.replace("\\", "\\\\").replace("(", "\\(").replace(")", "\\)")


def approximate_width(text, size):
    return len(text) * size * 0.47


class Page:
    def __init__(self):
        self.ops = []

    def text(self, x, y, font, size, colour, text):
        r, g, b = colour
        self.ops.append(f"BT /{font} {size} Tf {r:.3f} {g:.3f} {b:.3f} rg {x} {y:.1f} Td ({escape(text)}) Tj ET")


class Layout:
    def __init__(self):
        self.pages = []
        self.y = 0
        self.running_title = ""

    def new_page(self, running=True):
        page = Page()
        self.pages.append(page)
        self.y = TOP
        if running:
            font, size, colour = HEADER
            page.text(LEFT, 755, font, size, colour, "Lanternfish User Manual")
            page.text(RIGHT - approximate_width(self.running_title, size), 755, font, size, colour, self.running_title)
            page.text(PAGE_WIDTH / 2 - 6, 45, "He", 9, (0, 0, 0), str(len(self.pages)))
        return page

    def page(self):
        return self.pages[-1]

    def lines(self, style, lines, keep_with_next=0):
        font, size, colour, above, below = style
        needed = above + len(lines) * size * 1.25 + below + keep_with_next
        if self.y - needed < BOTTOM:
            self.new_page()
        elif self.y != TOP:
            self.y -= above
        for line in lines:
            self.y -= size
            self.page().text(LEFT, self.y, font, size, colour, line)
            self.y -= size * 0.25
        self.y -= below
        return len(self.pages)

    def paragraph(self, seed):
        words = " ".join(SENTENCES[(seed + i) % len(SENTENCES)] for i in range(4)).split()
        font, size = BODY[0], BODY[1]
        lines, line = [], ""
        for word in words:
            candidate = (line + " " + word).strip()
            if approximate_width(candidate, size) > RIGHT - LEFT:
                lines.append(line)
                line = word
            else:
                line = candidate
        lines.append(line)
        for line in lines:
            self.lines((font, size, BODY[2], 0, 0), [line])
        self.y -= 6


def build():
    layout = Layout()
    title = layout.new_page(running=False)
    title.text(LEFT, 600, "Hb", 28, (0.1, 0.1, 0.1), "Lanternfish User Manual")
    title.text(LEFT, 570, "He", 14, (0.3, 0.3, 0.3), "Collections, archives and remote sites")

    contents = layout.new_page(running=False)
    layout.lines(CHAPTER, ["Contents"])
    contents_at = layout.y

    entries = []
    for number, (title_lines, sections) in enumerate(CHAPTERS, start=1):
        layout.running_title = f"Chapter {number}"
        layout.new_page()
        lines = [f"{number} {title_lines[0]}"] + title_lines[1:]
        entries.append((f"{number} {' '.join(title_lines)}", layout.lines(CHAPTER, lines), 0))
        seed = number
        for s, (section, subsections, paragraphs) in enumerate(sections, start=1):
            entries.append((f"{number}.{s} {section}", layout.lines(SECTION, [f"{number}.{s} {section}"], 40), 1))
            for _ in range(paragraphs):
                layout.paragraph(seed)
                seed += 1
            for u, subsection in enumerate(subsections, start=1):
                title = f"{number}.{s}.{u} {subsection}"
                entries.append((title, layout.lines(SUBSECTION, [title], 40), 2))
                for _ in range(2):
                    layout.paragraph(seed)
                    seed += 1

    y = contents_at
    for text, page, depth in entries:
        if depth > 1:
            continue
        x = LEFT + 18 * depth
        contents.text(x, y, "Tr", 11, (0, 0, 0), text)
        contents.text(RIGHT - 12, y, "Tr", 11, (0, 0, 0), str(page))
        y -= 16
    return layout.pages, entries


def write_pdf(pages, path):
    objects = []

    def add(body):
        objects.append(body)
        return len(objects)

    font_ids = {name: add(f"<< /Type /Font /Subtype /Type1 /BaseFont /{base} /Encoding /WinAnsiEncoding >>")
                for name, base in FONTS.items()}
    fonts = " ".join(f"/{name} {oid} 0 R" for name, oid in font_ids.items())
    pages_id = len(objects) + 1 + 2 * len(pages)
    page_ids = []
    for page in pages:
        stream = "\n".join(page.ops).encode("latin-1")
        content = add(f"<< /Length {len(stream)} >>\nstream\n".encode("latin-1") + stream + b"\nendstream")
        page_ids.append(add(f"<< /Type /Page /Parent {pages_id} 0 R /MediaBox [0 0 {PAGE_WIDTH} {PAGE_HEIGHT}] "
                            f"/Resources << /Font << {fonts} >> >> /Contents {content} 0 R >>"))
    kids = " ".join(f"{pid} 0 R" for pid in page_ids)
    assert add(f"<< /Type /Pages /Kids [{kids}] /Count {len(pages)} >>") == pages_id
    outlines_id = len(objects) + 1
    cover_id = outlines_id + 1
    add(f"<< /Type /Outlines /First {cover_id} 0 R /Last {cover_id} 0 R /Count 1 >>")
    add(f"<< /Title (Cover) /Parent {outlines_id} 0 R /Dest [{page_ids[0]} 0 R /Fit] >>")
    catalog = add(f"<< /Type /Catalog /Pages {pages_id} 0 R /Outlines {outlines_id} 0 R /PageMode /UseOutlines >>")

    out = bytearray(b"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n")
    offsets = []
    for number, body in enumerate(objects, start=1):
        offsets.append(len(out))
        data = body if isinstance(body, bytes) else body.encode("latin-1")
        out += f"{number} 0 obj\n".encode("latin-1") + data + b"\nendobj\n"
    xref = len(out)
    out += f"xref\n0 {len(objects) + 1}\n0000000000 65535 f \n".encode("latin-1")
    for offset in offsets:
        out += f"{offset:010d} 00000 n \n".encode("latin-1")
    out += f"trailer\n<< /Size {len(objects) + 1} /Root {catalog} 0 R >>\nstartxref\n{xref}\n%%EOF\n".encode("latin-1")
    with open(path, "wb") as f:
        f.write(out)


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__.strip().splitlines()[-1])
    pages, headings = build()
    write_pdf(pages, sys.argv[1])
    if len(sys.argv) == 3:
        # The headings as drawn: what a perfect outline of the manual holds.
        with open(sys.argv[2], "w", encoding="utf-8") as f:
            json.dump([{"title": t, "page": p, "level": d + 1} for t, p, d in headings], f, indent=1)


if __name__ == "__main__":
    main()
