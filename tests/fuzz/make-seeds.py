#!/usr/bin/env python3
"""Writes a few small PDFs into the folder given: pages with text in several
fonts and render modes, an outline, a form with its own fonts, a file with a
broken cross-reference table, damaged outlines and one nested 150 deep, page
trees that lie about their count or loop, and forms that fan out."""
import os
import sys


def pdf(objects, trailer_extra=""):
    out = b"%PDF-1.7\n%\xe2\xe3\xcf\xd3\n"
    offsets = []
    for number, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += b"%d 0 obj\n" % number + body.encode("latin-1") + b"\nendobj\n"
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    for offset in offsets:
        out += b"%010d 00000 n \n" % offset
    out += b"trailer\n<< /Size %d /Root 1 0 R %s>>\nstartxref\n%d\n%%%%EOF\n" % (
        len(objects) + 1, trailer_extra.encode(), xref)
    return out


def stream(content):
    return "<< /Length %d >>\nstream\n%s\nendstream" % (len(content), content)


FONTS = ("/Font << /F1 5 0 R /F2 6 0 R >> "
         "/XObject << /X1 9 0 R >>")
TEXT = ("BT /F1 24 Tf 72 700 Td (Chapter 1, Start) Tj ET "
        "BT 3 Tr /F2 10 Tf 72 650 Td (invisible words) Tj ET "
        "BT 2 Tr 0.5 g 1 0 0 RG /F1 12 Tf 0 1 -1 0 300 300 Tm [(Rot) 120 (ated)] TJ ET "
        "q 0 0 0 1 k /X1 Do Q")

SEEDS = {
    "text-outline.pdf": pdf([
        "<< /Type /Catalog /Pages 2 0 R /Outlines 7 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /CropBox [10 10 600 780]"
        " /Resources << " + FONTS + " >> /Contents 4 0 R >>",
        stream(TEXT),
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding >>",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Arial,Italic >>",
        "<< /Type /Outlines /First 8 0 R /Last 8 0 R /Count 1 >>",
        "<< /Title (Chapter 1) /Parent 7 0 R /Dest [3 0 R /XYZ 0 792 null] >>",
        "<< /Type /XObject /Subtype /Form /BBox [0 0 612 792] /Resources << " + FONTS + " >> /Length 40 >>"
        "\nstream\nBT /F2 9 Tf 72 100 Td (In a form) Tj ET\nendstream",
    ]),
    # The outline root held directly in the catalog; items pointing at a
    # page index no int counts past, a title with a NUL inside, and a /Next
    # chain that comes back to its start.
    "outline-damaged.pdf": pdf([
        "<< /Type /Catalog /Pages 2 0 R /Outlines << /First 4 0 R /Last 6 0 R /Count 3 >> >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] >>",
        "<< /Title (Far) /Dest [2147483647 /XYZ 0 792 null] /Next 5 0 R >>",
        "<< /Title <FEFF0041000000420043> /Dest [-2147483648 /Fit] /Next 6 0 R >>",
        "<< /Title (Loop) /Dest [3 0 R /Fit] /Next 4 0 R >>",
    ]),
}


def nested_outline(levels):
    """Items nested `levels` deep, each the only child of the one before."""
    objects = [
        "<< /Type /Catalog /Pages 2 0 R /Outlines 4 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] >>",
        "<< /Type /Outlines /First 5 0 R /Last 5 0 R /Count 1 >>",
    ]
    for level in range(levels):
        number = 5 + level
        child = " /First %d 0 R /Last %d 0 R /Count 1" % (number + 1, number + 1) if level + 1 < levels else ""
        objects.append("<< /Title (Level %d) /Parent %d 0 R /Dest [3 0 R /Fit]%s >>" % (level + 1, number - 1, child))
    return pdf(objects)


SEEDS["outline-deep.pdf"] = nested_outline(150)

PAGE = ("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << /Font << /F1 5 0 R >> "
        "/XObject << /X 6 0 R >> >> /Contents 4 0 R >>")
HEADING = stream("BT /F1 18 Tf 72 720 Td (Chapter One) Tj ET")
HELVETICA = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"

# One real page under a /Count of 2147483647; a tree whose inner node lists
# the root, itself and a null.
SEEDS["pages-count-lie.pdf"] = pdf([
    "<< /Type /Catalog /Pages 2 0 R >>",
    "<< /Type /Pages /Kids [3 0 R] /Count 2147483647 >>",
    PAGE.replace(" /XObject << /X 6 0 R >>", ""), HEADING, HELVETICA,
])
SEEDS["pages-cycle.pdf"] = pdf([
    "<< /Type /Catalog /Pages 2 0 R >>",
    "<< /Type /Pages /Kids [3 0 R 6 0 R 6 0 R] /Count 5 >>",
    PAGE.replace(" /XObject << /X 6 0 R >>", ""), HEADING, HELVETICA,
    "<< /Type /Pages /Parent 2 0 R /Kids [2 0 R 6 0 R null 3 0 R] /Count 3 >>",
])


def form_fan_out(depth, in_glyph=False):
    """A page drawing form 6, each form drawing the next twice: 2^depth
    forms drawn, unless the library stops the page. in_glyph: the glyph of a
    Type 3 font draws form 6, as MuPDF does when it loads the font."""
    glyph_font = 6 + depth
    page = PAGE.replace("/F1 5 0 R >> /XObject << /X 6 0 R >>", "/F1 5 0 R /T %d 0 R >>" % glyph_font) if in_glyph else PAGE
    show = "/T 9 Tf (A) Tj ET" if in_glyph else "ET /X Do"
    objects = ["<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
               page,
               stream("BT /F1 18 Tf 72 720 Td (Chapter One) Tj " + show), HELVETICA]
    form = "/Type /XObject /Subtype /Form /BBox [0 0 612 792] /Resources << %s >> "
    for level in range(depth - 1):
        content = "/N Do /N Do"
        objects.append("<< %s/Length %d >>\nstream\n%s\nendstream" % (
            form % ("/XObject << /N %d 0 R >>" % (7 + level)), len(content), content))
    content = "BT /F1 9 Tf 72 100 Td (leaf) Tj ET"
    objects.append("<< %s/Length %d >>\nstream\n%s\nendstream" % (
        form % "/Font << /F1 5 0 R >>", len(content), content))
    objects.append("<< /Type /Font /Subtype /Type3 /FontBBox [0 0 1000 1000] /FontMatrix [0.001 0 0 0.001 0 0] "
                   "/CharProcs << /a %d 0 R >> /Encoding << /Differences [65 /a] >> /FirstChar 65 /LastChar 65 "
                   "/Widths [1000] /Resources << /XObject << /X 6 0 R >> >> >>" % (glyph_font + 1))
    objects.append(stream("1000 0 d0 /X Do"))
    return pdf(objects)


SEEDS["forms-fan-out.pdf"] = form_fan_out(25)
SEEDS["glyph-forms-fan-out.pdf"] = form_fan_out(25, in_glyph=True)


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
    whole = SEEDS["text-outline.pdf"]
    with open(os.path.join(folder, "no-xref.pdf"), "wb") as f:
        f.write(whole[:whole.rindex(b"xref")])


if __name__ == "__main__":
    main()
