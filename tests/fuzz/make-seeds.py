#!/usr/bin/env python3
"""Writes a few small PDFs into the folder given: pages with text in several
fonts and render modes, an outline, a form with its own fonts, a file with a
broken cross-reference table, damaged outlines and one nested 150 deep."""
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
