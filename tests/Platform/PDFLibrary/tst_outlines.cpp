// Outline editing, read back through the library and, once saved, by qpdf.
#include "librarysession.h"
#include "rawpdf.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <functional>

namespace {

QString withKids(const QString& item, const QString& kids)
{
    return kids.isEmpty() ? item : item + '(' + kids + ')';
}

// The library's outline as "A@1(A1@2,A2@3),B@4": title@page, children in
// parentheses; '!' marks an item whose Prev or Parent disagrees with the walk.
QString tree(OmbrelPDFLibraryCPDylibCPP1311& lib, int parent = 0)
{
    QStringList items;
    int previous = 0;
    for (int id = parent ? lib.GetFirstChildOutline(parent) : lib.GetFirstOutline(); id; id = lib.GetNextOutline(id))
    {
        const bool linked = lib.GetPrevOutline(id) == previous && lib.GetParentOutline(id) == parent;
        items << withKids(QString("%1@%2%3").arg(LibrarySession::text(lib.OutlineTitle(id)))
                              .arg(lib.GetOutlinePage(id)).arg(linked ? "" : "!"), tree(lib, id));
        previous = id;
    }
    return items.join(',');
}

QJsonValue qpdfJson(const QString& file)
{
    const QString json = runTool("qpdf", {"--json=1", "--json-key=objects", "--json-key=outlines", file});
    return QJsonDocument::fromJson(json.toUtf8()).object();
}

// The saved outline as qpdf reads it, in tree's form with every /Count in
// brackets, the root's first: "[3]A@1[2](A1@1,A2@1[-1](A2a@1))"; "!Last"
// when the root's /Last is not its last item.
QString saved(const QString& file)
{
    const QJsonValue json = qpdfJson(file);
    const auto count = [&](const QJsonValue& ref) {
        const QJsonValue count = json["objects"][ref.toString()]["/Count"];
        return count.isUndefined() ? QString() : QString("[%1]").arg(count.toInt());
    };
    std::function<QString(const QJsonValue&)> items = [&](const QJsonValue& list) {
        QStringList out;
        for (const QJsonValue& item : list.toArray())
            out << withKids(QString("%1@%2%3").arg(item["title"].toString()).arg(item["destpageposfrom1"].toInt())
                                .arg(count(item["object"])), items(item["kids"]));
        return out.join(',');
    };
    const QJsonValue root = json["objects"][json["objects"]["trailer"]["/Root"].toString()]["/Outlines"];
    const bool lastRight = json["objects"][root.toString()]["/Last"] == json["outlines"].toArray().last()["object"];
    return count(root) + items(json["outlines"]) + (lastRight ? "" : "!Last");
}

} // namespace

class OutlinesTest : public QObject
{
    Q_OBJECT

private slots:
    void buildSaveAndReload()
    {
        LibrarySession session;
        QVERIFY(session.load(session.sample("source.pdf", 5)));
        auto& lib = session.library();
        const QString accented = QString::fromUtf8("Überblick – façade");
        const QString beyondLatin1 = QString::fromUtf8("日本語 Ωμέγα 𝄞");
        const QString withNul = QString("A") + QChar(0) + "2";
        const int a = lib.NewOutline(0, LibrarySession::wide(accented), 1, 0.0);
        lib.NewOutline(0, LibrarySession::wide(beyondLatin1), 4, 0.0);
        const int a1 = lib.NewOutline(a, L"A1", 2, 0.0);
        lib.NewOutline(a, LibrarySession::wide(withNul), 3, 0.0);
        QCOMPARE(tree(lib), accented + "@1(A1@2," + withNul + "@3)," + beyondLatin1 + "@4");
        QCOMPARE(lib.OutlineCount(), 4);
        const QString file = session.path("saved.pdf");
        QVERIFY(session.save(file));
        QVERIFY(qpdfAccepts(file));
        // A parent made by appending children starts closed: a negative /Count.
        QCOMPARE(saved(file), "[2]" + accented + "@1[-2](A1@2," + withNul + "@3)," + beyondLatin1 + "@4");

        // Identifiers hold after reloading: they are the items' object numbers.
        QVERIFY(session.load(file));
        QCOMPARE(lib.GetFirstChildOutline(a), a1);
        QVERIFY(lib.SetOutlineTitle(a1, LibrarySession::wide(beyondLatin1)));
        QCOMPARE(tree(lib), accented + "@1(" + beyondLatin1 + "@2," + withNul + "@3)," + beyondLatin1 + "@4");
    }

    void moveOpenAndRemove()
    {
        LibrarySession session;
        QVERIFY(session.load(session.sample("source.pdf", 3)));
        auto& lib = session.library();
        const QString file = session.path("edited.pdf");
        const auto savedNow = [&] { return session.save(file) && qpdfAccepts(file) ? saved(file) : QString(); };
        const int a = lib.NewOutline(0, L"A", 1, 0.0);
        const int b = lib.NewOutline(0, L"B", 2, 0.0);
        const int c = lib.NewOutline(0, L"C", 3, 0.0);
        QVERIFY(lib.MoveOutlineBefore(c, a));
        QVERIFY(lib.MoveOutlineAfter(a, lib.NewOutline(b, L"B1", 2, 0.0)));
        QCOMPARE(tree(lib), "C@3,B@2(B1@2,A@1)");
        // An item never moves into its own subtree.
        QCOMPARE(lib.MoveOutlineBefore(b, a), 0);
        QCOMPARE(lib.MoveOutlineBefore(b, b), 0);
        // A closed item inside an open one: only the open one's count adds up.
        lib.NewOutline(a, L"A1", 1, 0.0);
        QVERIFY(lib.OpenOutline(b));
        QCOMPARE(savedNow(), "[4]C@3,B@2[2](B1@2,A@1[-1](A1@1))");
        // Appending under open parents counts up the whole chain.
        QVERIFY(lib.OpenOutline(a));
        lib.NewOutline(a, L"A2", 1, 0.0);
        QCOMPARE(savedNow(), "[6]C@3,B@2[4](B1@2,A@1[2](A1@1,A2@1))");
        QVERIFY(lib.CloseOutline(b));
        QCOMPARE(savedNow(), "[2]C@3,B@2[-4](B1@2,A@1[2](A1@1,A2@1))");
        // Removing an item takes its children along.
        QVERIFY(lib.RemoveOutline(b));
        QCOMPARE(tree(lib), "C@3");
        QCOMPARE(lib.OutlineCount(), 1);
        QCOMPARE(lib.GetOutlinePage(a), 0);
        QCOMPARE(savedNow(), "[1]C@3");

        // Every level is read again, however deep.
        for (int level = 0, parent = c; level < 150; ++level)
            parent = lib.NewOutline(parent, L"Deeper", 1, 0.0);
        QVERIFY(session.save(file) && session.load(file));
        int depth = 0;
        for (int id = lib.GetFirstOutline(); id; id = lib.GetFirstChildOutline(id))
            ++depth;
        QCOMPARE(depth, 151);
    }

    void destinations_data()
    {
        QTest::addColumn<QString>("titles"); // '|' between bookmarks
        QTest::addColumn<int>("page");
        QTest::addColumn<double>("position");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QString>("expected");
        // Position 0 points at the line of page 1 the title came from: its left
        // and its top, 6 points above the baseline in F3's 0.6 em squares.
        QTest::newRow("the whole line") << "1.2 Scope  of work" << 1 << 0.0 << 0 << 0 << "/XYZ,90,656,null";
        QTest::newRow("number removed") << "Scope of work" << 1 << 0.0 << 0 << 0 << "/XYZ,90,656,null";
        QTest::newRow("number added") << "2.1 Results" << 1 << 0.0 << 0 << 0 << "/XYZ,72,606,null";
        QTest::newRow("part of the line") << "Running head" << 1 << 0.0 << 0 << 0 << "/XYZ,72,746,null";
        QTest::newRow("first of joined lines") << "Results of the trial" << 1 << 0.0 << 0 << 0 << "/XYZ,72,606,null";
        QTest::newRow("word broken at the line end") << "Algorithms" << 1 << 0.0 << 0 << 0 << "/XYZ,72,556,null";
        QTest::newRow("a title twice, the next line") << "Notes|Notes" << 1 << 0.0 << 0 << 0 << "/XYZ,72,506,null /XYZ,72,456,null";
        QTest::newRow("no line fits: the top") << "Elsewhere" << 1 << 0.0 << 0 << 0 << "/XYZ,0,792,null";
        QTest::newRow("page text not read: the top") << "Results" << 2 << 0.0 << 0 << 0 << "/XYZ,0,792,null";
        QTest::newRow("position below the top") << "Results" << 1 << 100.0 << 0 << 0 << "/XYZ,0,692,null";
        QTest::newRow("XYZ with zoom") << "T" << 3 << 0.0 << 1 << 150 << "/XYZ,70,700,1.5";
        QTest::newRow("XYZ keeping zoom") << "T" << 3 << 0.0 << 1 << 0 << "/XYZ,70,700,null";
        QTest::newRow("Fit") << "T" << 3 << 0.0 << 2 << 0 << "/Fit";
        QTest::newRow("FitH") << "T" << 3 << 0.0 << 3 << 0 << "/FitH,700";
        QTest::newRow("FitV") << "T" << 3 << 0.0 << 4 << 0 << "/FitV,70";
        QTest::newRow("FitR") << "T" << 3 << 0.0 << 5 << 0 << "/FitR,70,50,500,700";
        QTest::newRow("FitB stays FitB") << "T" << 3 << 0.0 << 6 << 0 << "/FitB";
        QTest::newRow("unknown type refused") << "T" << 3 << 0.0 << 7 << 0 << "/XYZ,0,792,null";
    }

    void destinations()
    {
        QFETCH(QString, titles);
        QFETCH(int, page);
        QFETCH(double, position);
        QFETCH(int, type);
        QFETCH(int, zoom);
        QFETCH(QString, expected);
        LibrarySession session;
        RawPdf pdf;
        pdf.addType3Font("F3", "BoxFont");
        pdf.addPage("BT /F3 10 Tf 72 740 Td (Running head: Scope of work) Tj 18 -90 Td (1.2 Scope of work) Tj"
                    " -18 -50 Td (Results) Tj 0 -50 Td (Algo-) Tj 0 -50 Td (Notes) Tj 0 -50 Td (Notes) Tj ET");
        pdf.addPage("BT /F3 10 Tf 72 700 Td (Results) Tj ET");
        pdf.addPage("");
        QVERIFY(pdf.write(session.path("headings.pdf")) && session.load(session.path("headings.pdf")));
        session.records(1);
        auto& lib = session.library();
        for (const QString& title : titles.split('|'))
        {
            const int id = lib.NewOutline(0, LibrarySession::wide(title), page, position);
            if (type)
                QCOMPARE(lib.SetOutlineDestinationFull(id, 3, zoom, type, 70, 700, 500, 50), type <= 6 ? 1 : 0);
            QCOMPARE(lib.SetOutlineDestinationFull(id, 4, 0, 2, 0, 0, 0, 0), 0);
        }
        const QString file = session.path("dest.pdf");
        QVERIFY(session.save(file));
        // Without the page reference, whose number varies.
        QStringList got;
        for (const QJsonValue& item : qpdfJson(file)["outlines"].toArray())
        {
            QJsonArray dest = item["dest"].toArray();
            dest.removeFirst();
            got << QString(QJsonDocument(dest).toJson(QJsonDocument::Compact)).remove(QRegularExpression("[][\"]"));
        }
        QCOMPARE(got.join(' '), expected);
    }

    void damagedOutlines_data()
    {
        QTest::addColumn<QByteArray>("root");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("expected");
        // Old points at a page index no int counts past; Loop's /Next leads back
        // to Old. Modes as the engine edits: 0 replace, 1 after, 2 before.
        const QByteArray inCatalog = "<< /First 4 0 R /Last 5 0 R >>";
        QTest::newRow("root in the catalog, replace") << inCatalog << 0 << "[2]Loop@1,New@1";
        QTest::newRow("root in the catalog, after") << inCatalog << 1 << "[3]Old@0,Loop@1,New@1";
        QTest::newRow("root in the catalog, before") << inCatalog << 2 << "[3]New@1,Old@0,Loop@1";
        QTest::newRow("root of its own, after") << QByteArray("6 0 R") << 1 << "[3]Old@0,Loop@1,New@1";
    }

    void damagedOutlines()
    {
        QFETCH(QByteArray, root);
        QFETCH(int, mode);
        QFETCH(QString, expected);
        LibrarySession session;
        QFile pdf(session.path("damaged.pdf"));
        QVERIFY(pdf.open(QIODevice::WriteOnly));
        pdf.write("%PDF-1.7\n1 0 obj << /Type /Catalog /Pages 2 0 R /Outlines " + root + " >> endobj 2 0 obj << /Type /Pages"
                  " /Kids [3 0 R] /Count 1 >> endobj 3 0 obj << /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] >> endobj"
                  " 4 0 obj << /Title (Old) /Dest [2147483647 /Fit] /Next 5 0 R >> endobj 5 0 obj << /Title (Loop)"
                  " /Dest [3 0 R /Fit] /Next 4 0 R >> endobj 6 0 obj << /First 4 0 R /Last 5 0 R >> endobj"
                  " trailer << /Root 1 0 R >>\n");
        pdf.close();
        QVERIFY(session.load(pdf.fileName()));
        auto& lib = session.library();
        const int old = lib.GetFirstOutline();
        QVERIFY(mode != 0 || lib.RemoveOutline(old));
        const int added = lib.NewOutline(0, L"New", 1, 0.0);
        QVERIFY(mode != 2 || lib.MoveOutlineBefore(added, old));
        QVERIFY(session.save(session.path("saved.pdf")));
        QCOMPARE(saved(session.path("saved.pdf")), expected);
    }

    void unknownIdentifiers()
    {
        LibrarySession session;
        auto& lib = session.library();
        QCOMPARE(lib.NewOutline(0, L"No document", 1, 0.0), 0);
        QVERIFY(session.load(session.sample("source.pdf", 1)));
        QCOMPARE(lib.NewOutline(0, L"No such page", 2, 0.0), 0);
        QCOMPARE(lib.NewOutline(12345, L"No such parent", 1, 0.0), 0);
        // Object 1 exists but is no outline item.
        for (int id : {-1, 1, 12345})
            QVERIFY(!lib.GetNextOutline(id) && !lib.GetFirstChildOutline(id) && !lib.RemoveOutline(id)
                    && !lib.OpenOutline(id) && lib.OutlineTitle(id).empty());
        const int untitled = lib.NewOutline(0, std::wstring(), 1, 0.0);
        QVERIFY(untitled > 0 && lib.OutlineTitle(untitled).empty());
    }

private:
};

QTEST_MAIN(OutlinesTest)
#include "tst_outlines.moc"
