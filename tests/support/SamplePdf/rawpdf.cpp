#include "rawpdf.h"

#include <QFile>

void RawPdf::addFont(const QByteArray& key, const QByteArray& baseFont, const QByteArray& encoding)
{
    mFonts.append({key, "<< /Type /Font /Subtype /Type1 /BaseFont /" + baseFont
                            + " /Encoding /" + encoding + " >>", QByteArray()});
}

void RawPdf::addType3Font(const QByteArray& key, const QByteArray& name)
{
    QByteArray widths;
    for (int code = 32; code < 127; ++code)
        widths += "600 ";
    mFonts.append({key, "<< /Type /Font /Subtype /Type3 /Name /" + name
                            + " /FontBBox [0 0 600 600] /FontMatrix [0.001 0 0 0.001 0 0]"
                              " /CharProcs << /box GLYPH >> /Encoding << /Type /Encoding"
                              " /Differences [32 " + QByteArray("/box ").repeated(95) + "] >>"
                              " /FirstChar 32 /LastChar 126 /Widths [" + widths + "] >>",
                   "600 0 0 0 600 600 d1 0 0 600 600 re f"});
}

void RawPdf::addPage(const QByteArray& content, const QByteArray& entries)
{
    mPages.append({content, entries});
}

QByteArray RawPdf::bytes() const
{
    // Objects: 1 catalog, 2 pages, then per font its dictionary (and a glyph
    // stream for Type 3 fonts), then per page the page and its content.
    QList<QByteArray> objects;
    objects.append(QByteArray()); // catalog, filled below
    objects.append(QByteArray()); // pages, filled below
    QByteArray fontResources;
    for (const Font& font : mFonts)
    {
        QByteArray dictionary = font.dictionary;
        if (!font.glyph.isEmpty())
        {
            objects.append("<< /Length " + QByteArray::number(font.glyph.size()) + " >>\nstream\n"
                           + font.glyph + "\nendstream");
            dictionary.replace("GLYPH", QByteArray::number(objects.size()) + " 0 R");
        }
        objects.append(dictionary);
        fontResources += "/" + font.key + " " + QByteArray::number(objects.size()) + " 0 R ";
    }
    QByteArray kids;
    for (const Page& page : mPages)
    {
        const int pageNumber = objects.size() + 1;
        objects.append("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Resources << /Font << "
                       + fontResources + ">> >> /Contents " + QByteArray::number(pageNumber + 1) + " 0 R "
                       + page.entries + " >>");
        objects.append("<< /Length " + QByteArray::number(page.content.size()) + " >>\nstream\n"
                       + page.content + "\nendstream");
        kids += QByteArray::number(pageNumber) + " 0 R ";
    }
    objects[0] = "<< /Type /Catalog /Pages 2 0 R >>";
    objects[1] = "<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(mPages.size()) + " >>";
    return fromObjects(objects);
}

QByteArray RawPdf::fromObjects(const QList<QByteArray>& objects)
{
    QByteArray out = "%PDF-1.7\n%\xe2\xe3\xcf\xd3\n";
    QList<int> offsets;
    for (int i = 0; i < objects.size(); ++i)
    {
        offsets.append(out.size());
        out += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const int xref = out.size();
    out += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (int offset : offsets)
        out += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    out += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
           + QByteArray::number(xref) + "\n%%EOF\n";
    return out;
}

bool RawPdf::write(const QString& path) const
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes()) >= 0 && file.flush();
}
