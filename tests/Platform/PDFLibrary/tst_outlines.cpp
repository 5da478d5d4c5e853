// Outline editing, read back through the library and by qpdf.
#include "librarysession.h"
#include "samplepdf.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

QString makeSample(LibrarySession& session, const QString& name)
{
    SamplePdf pdf(QSizeF(595, 842));
    pdf.ensurePages(5);
    const QString file = session.path(name);
    return pdf.write(file) ? file : QString();
}

// qpdf's view of the saved outline: the top-level items with their kids.
QJsonArray outlinesByQpdf(const QString& file)
{
    bool ok = false;
    const QString json = runTool("qpdf", {"--json", "--json-key=outlines", file}, &ok);
    return ok ? QJsonDocument::fromJson(json.toUtf8()).object().value("outlines").toArray() : QJsonArray();
}

QStringList titles(const QJsonArray& items)
{
    QStringList out;
    for (const QJsonValue& item : items)
        out << item.toObject().value("title").toString();
    return out;
}

const QString kAccented = QString::fromUtf8("Überblick – façade");
const QString kBeyondLatin1 = QString::fromUtf8("日本語 Ωμέγα 𝄞");

} // namespace

class OutlinesTest : public QObject
{
    Q_OBJECT

private slots:
    void buildNavigateAndSave();
    void removeAndMove();
    void openAndClose();
    void destinations_data();
    void destinations();
    void cyclicChainsEnd();
    void unknownIdentifiers();
};

void OutlinesTest::buildNavigateAndSave()
{
    LibrarySession session;
    QVERIFY(session.load(makeSample(session, "source.pdf")));
    auto& lib = session.library();
    QCOMPARE(lib.OutlineCount(), 0);
    QCOMPARE(lib.GetFirstOutline(), 0);

    const int a = lib.NewOutline(0, LibrarySession::wide(kAccented), 1, 0.0);
    const int b = lib.NewOutline(0, LibrarySession::wide(kBeyondLatin1), 4, 100.0);
    const int a1 = lib.NewOutline(a, L"A.1, with comma", 2, 0.0);
    const int a2 = lib.NewOutline(a, L"A.2", 3, 0.0);
    QVERIFY(a > 0 && b > 0 && a1 > 0 && a2 > 0);
    QCOMPARE(lib.OutlineCount(), 4);
    QCOMPARE(lib.GetFirstOutline(), a);
    QCOMPARE(lib.GetNextOutline(a), b);
    QCOMPARE(lib.GetNextOutline(b), 0);
    QCOMPARE(lib.GetPrevOutline(b), a);
    QCOMPARE(lib.GetPrevOutline(a), 0);
    QCOMPARE(lib.GetFirstChildOutline(a), a1);
    QCOMPARE(lib.GetNextOutline(a1), a2);
    QCOMPARE(lib.GetParentOutline(a2), a);
    QCOMPARE(lib.GetParentOutline(a), 0);
    QCOMPARE(LibrarySession::text(lib.OutlineTitle(b)), kBeyondLatin1);
    QCOMPARE(lib.GetOutlinePage(b), 4);
    QCOMPARE(lib.GetOutlinePage(a1), 2);

    const QString saved = session.path("saved.pdf");
    QVERIFY(session.save(saved));
    bool ok = false;
    runTool("qpdf", {"--check", saved}, &ok);
    QVERIFY(ok);
    const QJsonArray top = outlinesByQpdf(saved);
    QCOMPARE(titles(top), (QStringList{kAccented, kBeyondLatin1}));
    QCOMPARE(titles(top[0].toObject().value("kids").toArray()), (QStringList{"A.1, with comma", "A.2"}));
    // A parent made by appending children starts closed: a negative /Count.
    QCOMPARE(top[0].toObject().value("open").toBool(), false);
    // Position 100: the top 100 points below the page's top.
    const QJsonArray dest = top[1].toObject().value("dest").toArray();
    QCOMPARE(dest[1].toString(), QString("/XYZ"));
    QCOMPARE(dest[3].toDouble(), 742.0);
    QCOMPARE(top[1].toObject().value("destpageposfrom1").toInt(), 4);

    // Identifiers hold after reloading: they are the items' object numbers.
    QVERIFY(session.load(saved));
    QCOMPARE(lib.GetFirstChildOutline(a), a1);
    QCOMPARE(LibrarySession::text(lib.OutlineTitle(a)), kAccented);
    QVERIFY(lib.SetOutlineTitle(a2, LibrarySession::wide(kBeyondLatin1)));
    QCOMPARE(LibrarySession::text(lib.OutlineTitle(a2)), kBeyondLatin1);
}

void OutlinesTest::removeAndMove()
{
    LibrarySession session;
    QVERIFY(session.load(makeSample(session, "source.pdf")));
    auto& lib = session.library();
    const int a = lib.NewOutline(0, L"A", 1, 0.0);
    const int b = lib.NewOutline(0, L"B", 2, 0.0);
    const int c = lib.NewOutline(0, L"C", 3, 0.0);
    const int b1 = lib.NewOutline(b, L"B1", 2, 0.0);

    QVERIFY(lib.MoveOutlineBefore(c, a));
    QVERIFY(lib.MoveOutlineAfter(a, b1));
    QCOMPARE(lib.GetFirstOutline(), c);
    QCOMPARE(lib.GetNextOutline(c), b);
    QCOMPARE(lib.GetNextOutline(b1), a);
    QCOMPARE(lib.GetParentOutline(a), b);
    // An item never moves into its own subtree.
    QCOMPARE(lib.MoveOutlineBefore(b, a), 0);
    QCOMPARE(lib.MoveOutlineBefore(b, b), 0);

    QVERIFY(lib.RemoveOutline(b));
    QCOMPARE(lib.OutlineCount(), 1);
    QCOMPARE(lib.GetNextOutline(c), 0);
    QCOMPARE(lib.GetPrevOutline(c), 0);
    QVERIFY(LibrarySession::text(lib.OutlineTitle(a)).isEmpty());
    QCOMPARE(lib.GetOutlinePage(b1), 0);

    const QString saved = session.path("moved.pdf");
    QVERIFY(session.save(saved));
    bool ok = false;
    runTool("qpdf", {"--check", saved}, &ok);
    QVERIFY(ok);
    QCOMPARE(titles(outlinesByQpdf(saved)), QStringList{"C"});
}

void OutlinesTest::openAndClose()
{
    LibrarySession session;
    QVERIFY(session.load(makeSample(session, "source.pdf")));
    auto& lib = session.library();
    const int a = lib.NewOutline(0, L"A", 1, 0.0);
    lib.NewOutline(a, L"A1", 1, 0.0);
    const int a2 = lib.NewOutline(a, L"A2", 1, 0.0);
    lib.NewOutline(a2, L"A2a", 1, 0.0);
    QVERIFY(lib.OpenOutline(a));
    QVERIFY(lib.CloseOutline(a2));
    const QString saved = session.path("open.pdf");
    QVERIFY(session.save(saved));
    bool ok = false;
    // qpdf checks every /Count against the tree.
    const QString check = runTool("qpdf", {"--check", saved}, &ok);
    QVERIFY(ok);
    QVERIFY2(!check.contains("WARNING"), qPrintable(check));
    const QJsonObject top = outlinesByQpdf(saved)[0].toObject();
    QCOMPARE(top.value("open").toBool(), true);
    QCOMPARE(top.value("kids").toArray()[1].toObject().value("open").toBool(), false);
    const QString show = runTool("qpdf", {"--show-object=" + QString::number(a), saved}, &ok);
    QVERIFY2(show.contains("/Count 2"), qPrintable(show));
    QCOMPARE(lib.OutlineCount(), 4);
}

void OutlinesTest::destinations_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QString>("expected");
    QTest::newRow("XYZ with zoom") << 1 << 150 << "/XYZ 70 700 1.5";
    QTest::newRow("XYZ keeping zoom") << 1 << 0 << "/XYZ 70 700 null";
    QTest::newRow("Fit") << 2 << 0 << "/Fit";
    QTest::newRow("FitH") << 3 << 0 << "/FitH 700";
    QTest::newRow("FitV") << 4 << 0 << "/FitV 70";
    QTest::newRow("FitR") << 5 << 0 << "/FitR 70 50 500 700";
    QTest::newRow("FitB stays FitB") << 6 << 0 << "/FitB";
}

void OutlinesTest::destinations()
{
    QFETCH(int, type);
    QFETCH(int, zoom);
    QFETCH(QString, expected);
    LibrarySession session;
    QVERIFY(session.load(makeSample(session, "source.pdf")));
    auto& lib = session.library();
    const int id = lib.NewOutline(0, L"Target", 1, 0.0);
    QVERIFY(lib.SetOutlineDestinationFull(id, 3, zoom, type, 70, 700, 500, 50));
    QCOMPARE(lib.GetOutlinePage(id), 3);
    const QString saved = session.path("dest.pdf");
    QVERIFY(session.save(saved));
    const QJsonArray dest = outlinesByQpdf(saved)[0].toObject().value("dest").toArray();
    QStringList parts;
    for (int i = 1; i < dest.size(); ++i)
        parts << (dest[i].isString() ? dest[i].toString() : dest[i].isNull() ? "null" : QString::number(dest[i].toDouble()));
    QCOMPARE(parts.join(' '), expected);
    QCOMPARE(lib.SetOutlineDestinationFull(id, 3, 0, 7, 0, 0, 0, 0), 0);
    QCOMPARE(lib.SetOutlineDestinationFull(id, 6, 0, 2, 0, 0, 0, 0), 0);
}

void OutlinesTest::cyclicChainsEnd()
{
    LibrarySession session;
    QVERIFY(session.load(makeSample(session, "source.pdf")));
    auto& lib = session.library();
    const int a = lib.NewOutline(0, L"A", 1, 0.0);
    const int b = lib.NewOutline(0, L"B", 2, 0.0);
    const QString saved = session.path("chain.pdf");
    QVERIFY(session.save(saved));
    // Turn B's /Prev into a /Next back to A: the chain A, B, A, ... loops.
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    const QByteArray prev = "/Prev " + QByteArray::number(a) + " 0 R";
    QVERIFY(bytes.contains(prev));
    bytes.replace(prev, "/Next " + QByteArray::number(a) + " 0 R");
    file.seek(0);
    file.write(bytes);
    file.close();

    QVERIFY(session.load(saved));
    QCOMPARE(lib.OutlineCount(), 2);
    QCOMPARE(lib.GetNextOutline(b), 0);
    // Editing the damaged chain repairs its links.
    QVERIFY(lib.NewOutline(0, L"C", 3, 0.0) > 0);
    QVERIFY(session.save(saved));
    QCOMPARE(titles(outlinesByQpdf(saved)), (QStringList{"A", "B", "C"}));
}

void OutlinesTest::unknownIdentifiers()
{
    LibrarySession session;
    auto& lib = session.library();
    QCOMPARE(lib.NewOutline(0, L"No document", 1, 0.0), 0);
    QVERIFY(session.load(makeSample(session, "source.pdf")));
    QCOMPARE(lib.NewOutline(0, L"No such page", 9, 0.0), 0);
    QCOMPARE(lib.NewOutline(12345, L"No such parent", 1, 0.0), 0);
    // Object 1 exists but is no outline item.
    for (int id : {-1, 1, 12345})
    {
        QCOMPARE(lib.GetNextOutline(id), 0);
        QCOMPARE(lib.GetFirstChildOutline(id), 0);
        QCOMPARE(lib.RemoveOutline(id), 0);
        QCOMPARE(lib.OpenOutline(id), 0);
        QVERIFY(lib.OutlineTitle(id).empty());
    }
    const int empty = lib.NewOutline(0, std::wstring(), 1, 0.0);
    QVERIFY(empty > 0);
    QVERIFY(lib.OutlineTitle(empty).empty());
}

QTEST_MAIN(OutlinesTest)
#include "tst_outlines.moc"
