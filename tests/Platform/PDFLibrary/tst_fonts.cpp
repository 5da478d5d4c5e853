// The document's fonts and the installed ones.
#include "librarysession.h"
#include "rawpdf.h"

#include <QtTest>

class FontsTest : public QObject
{
    Q_OBJECT

private slots:
    void documentFonts();
    void installedFamilies();
};

void FontsTest::documentFonts()
{
    LibrarySession session;
    RawPdf pdf;
    const QString longName = "ABCDEF+AVeryLongFontNameThatGoesWellBeyondThirtyOneBytes-BoldItalic";
    pdf.addFont("F1", "Helvetica");
    pdf.addFont("F2", "Arial,Bold", "MacRomanEncoding");
    pdf.addType3Font("F3", "BoxFont");
    pdf.addFont("F4", longName.toLatin1(), "StandardEncoding");
    // Both pages use the same four font objects.
    pdf.addPage("BT /F4 11 Tf 72 700 Td (Long name) Tj ET");
    pdf.addPage("");
    QVERIFY(pdf.write(session.path("fonts.pdf")));
    QVERIFY(session.load(session.path("fonts.pdf")));
    auto& lib = session.library();
    // A bookmark made and saved before the fonts are listed, whose objects
    // only the document holds then: listing must not drop them.
    QVERIFY(lib.NewOutline(0, L"Kept", 2, 0.0) > 0 && session.save(session.path("saved.pdf")));
    QStringList fonts;
    for (int i = 1; i <= lib.FindFonts(); ++i)
    {
        QVERIFY(lib.SelectFont(lib.GetFontID(i)));
        fonts << QString("%1|%2|%3").arg(LibrarySession::text(lib.FontName()), LibrarySession::text(lib.FontFamily()))
                     .arg(lib.GetFontEncoding());
    }
    QCOMPARE(fonts, (QStringList{"Helvetica|Helvetica|2", "Arial,Bold|Arial|1", "BoxFont|BoxFont|4",
                                 longName + "|AVeryLongFontNameThatGoesWellBeyondThirtyOneBytes|4"}));
    // The records name the font in full too, not cut to MuPDF's 31 bytes.
    QVERIFY(session.records(1).value(0).startsWith(longName + ",#000000,11,"));
    QVERIFY(!lib.GetFontID(0) && !lib.GetFontID(5) && !lib.SelectFont(99999));
    // A new document forgets the old selection.
    QVERIFY(session.save(session.path("again.pdf")) && session.load(session.path("again.pdf")));
    QVERIFY(lib.FontName().empty() && lib.OutlineCount() == 1);
}

void FontsTest::installedFamilies()
{
    LibrarySession session;
    const QString text = LibrarySession::text(session.library().GetInstalledFontsByCharset(2, 1));
    const QStringList families = text.split("\r\n");
    QVERIFY(families.contains("DejaVu Sans") && !families.contains(QString()));
    // Sorted ignoring the case of ASCII letters, then by case; each once.
    const auto folded = [](QString s) {
        for (QChar& c : s)
            c = c.unicode() < 128 ? c.toLower() : c;
        return s;
    };
    for (int i = 1; i < families.size(); ++i)
    {
        const QString &a = families[i - 1], &b = families[i];
        QVERIFY2(folded(a) < folded(b) || (folded(a) == folded(b) && a < b), qPrintable(b));
    }
}

QTEST_MAIN(FontsTest)
#include "tst_fonts.moc"
