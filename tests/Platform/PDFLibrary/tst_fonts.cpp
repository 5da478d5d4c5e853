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
    const QByteArray longName = "ABCDEF+AVeryLongFontNameThatGoesWellBeyondThirtyOneBytes-BoldItalic";
    pdf.addFont("F1", "Helvetica");
    pdf.addFont("F2", "Arial,Bold", "MacRomanEncoding");
    pdf.addType3Font("F3", "BoxFont");
    pdf.addFont("F4", longName, "StandardEncoding");
    pdf.addPage("BT /F4 11 Tf 72 700 Td (Long name) Tj ET");
    pdf.addPage("BT /F1 11 Tf 72 700 Td (Second page) Tj ET");
    const QString file = session.path("fonts.pdf");
    QVERIFY(pdf.write(file));
    QVERIFY(session.load(file));
    auto& lib = session.library();

    QCOMPARE(lib.FindFonts(), 4);
    QStringList got;
    for (int i = 1; i <= 4; ++i)
    {
        QVERIFY(lib.SelectFont(lib.GetFontID(i)));
        got << QString("%1|%2|%3").arg(LibrarySession::text(lib.FontName()), LibrarySession::text(lib.FontFamily()))
                   .arg(lib.GetFontEncoding());
    }
    QCOMPARE(got, (QStringList{"Helvetica|Helvetica|2", "Arial,Bold|Arial|1", "BoxFont|BoxFont|4",
                               QString(longName) + "|AVeryLongFontNameThatGoesWellBeyondThirtyOneBytes|4"}));
    // The records name the font in full too, not cut to MuPDF's 31 bytes.
    lib.SelectPage(1);
    QVERIFY(LibrarySession::text(lib.GetPageText(3)).startsWith(QString(longName) + ",#000000,11,"));

    QCOMPARE(lib.GetFontID(0), 0);
    QCOMPARE(lib.GetFontID(5), 0);
    QCOMPARE(lib.SelectFont(99999), 0);
    // A new document forgets the old selection.
    QVERIFY(session.load(file));
    QVERIFY(lib.FontName().empty());
    QCOMPARE(lib.GetFontEncoding(), 0);
}

void FontsTest::installedFamilies()
{
    LibrarySession session;
    const QString text = LibrarySession::text(session.library().GetInstalledFontsByCharset(2, 1));
    const QStringList families = text.split("\r\n");
    QVERIFY(families.contains("DejaVu Sans"));
    QVERIFY(!text.endsWith("\r\n"));
    QVERIFY(!families.contains(QString()));
    QStringList sorted = families;
    // Case is ignored for ASCII letters only.
    const auto folded = [](QString s) {
        for (QChar& c : s)
            if (c.unicode() < 128)
                c = c.toLower();
        return s;
    };
    std::sort(sorted.begin(), sorted.end(), [&](const QString& a, const QString& b) {
        const QString fa = folded(a), fb = folded(b);
        return fa != fb ? fa < fb : a < b;
    });
    QCOMPARE(families, sorted);
    QCOMPARE(QSet<QString>(families.begin(), families.end()).size(), families.size());
}

QTEST_MAIN(FontsTest)
#include "tst_fonts.moc"
