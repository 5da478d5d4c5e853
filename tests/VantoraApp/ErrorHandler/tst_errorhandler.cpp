// The host's error list as both sides use it: what the host reads back, how
// the plug-in's messages are formatted, the layout the host relies on, and
// the exception report every catch site writes.
#include "errorhandler.h"

#include <QtTest>

#include <cstring>

namespace {

QList<QString>* MessagesAt8(CErrorHandler& errors)
{
    return reinterpret_cast<QList<QString>*>(reinterpret_cast<char*>(&errors) + 8);
}

QList<QString>*& MirrorAt16(CErrorHandler& errors)
{
    return *reinterpret_cast<QList<QString>**>(reinterpret_cast<char*>(&errors) + 16);
}

} // namespace

class TestErrorHandler : public QObject
{
    Q_OBJECT

private slots:
    void emptyListAnswersUnknownError();
    void readsBackNewestAndOldest();
    void clearAllEmptiesTheList();
    void formatsLikePrintf_data();
    void formatsLikePrintf();
    void fieldsLieAtTheSharedOffsets();
    void mirrorReceivesEveryMessage();
    void exceptionReportText();
    void exceptionReportIsCutToItsBuffer();
};

void TestErrorHandler::emptyListAnswersUnknownError()
{
    CErrorHandler errors;
    QCOMPARE(errors.GetCount(), 0);
    QCOMPARE(errors.GetLast(), QString("Unknown error"));
    QCOMPARE(errors.GetAt(0), QString("Unknown error"));

    errors.StoreError("Creating bookmark Error");
    QCOMPARE(errors.GetAt(errors.GetCount()), QString("Unknown error"));
    QCOMPARE(errors.GetAt(-1), QString("Unknown error"));
}

void TestErrorHandler::readsBackNewestAndOldest()
{
    CErrorHandler errors;
    errors.StoreError("Creating bookmark Error");
    errors.StoreError("Bookmark builder error");

    QCOMPARE(errors.GetCount(), 2);
    QCOMPARE(errors.GetAt(0), QString("Creating bookmark Error"));
    QCOMPARE(errors.GetLast(), QString("Bookmark builder error"));
}

void TestErrorHandler::clearAllEmptiesTheList()
{
    CErrorHandler errors;
    errors.StoreError("one");
    errors.StoreError("two");
    errors.ClearAll();
    QCOMPARE(errors.GetCount(), 0);
    QCOMPARE(errors.GetLast(), QString("Unknown error"));
}

void TestErrorHandler::formatsLikePrintf_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");

    CErrorHandler errors;
    errors.StoreError("Creating bookmark Error");
    errors.StoreError("100%% done");
    errors.StoreError("Page %d of %s", 3, "Seite \xc3\xbc");
    errors.StoreError(QString::fromUtf8("K\xc3\xa4se %.1f"), 2.5);
    QTest::newRow("no directives") << errors.GetAt(0) << QString("Creating bookmark Error");
    QTest::newRow("doubled percent") << errors.GetAt(1) << QString("100% done");
    QTest::newRow("arguments, UTF-8 string") << errors.GetAt(2) << QString::fromUtf8("Page 3 of Seite \xc3\xbc");
    QTest::newRow("UTF-8 format") << errors.GetAt(3) << QString::fromUtf8("K\xc3\xa4se 2.5");
}

void TestErrorHandler::formatsLikePrintf()
{
    QFETCH(QString, stored);
    QFETCH(QString, expected);
    QCOMPARE(stored, expected);
}

void TestErrorHandler::fieldsLieAtTheSharedOffsets()
{
    CErrorHandler errors;
    QCOMPARE(sizeof(CErrorHandler), std::size_t(24));
    QCOMPARE(MirrorAt16(errors), nullptr);

    errors.StoreError("first");
    QCOMPARE(*MessagesAt8(errors), QList<QString>({"first"}));
}

void TestErrorHandler::mirrorReceivesEveryMessage()
{
    QList<QString> mirror{"kept"};
    {
        CErrorHandler errors;
        MirrorAt16(errors) = &mirror;  // as a host that wants a copy would
        errors.StoreError("one");
        errors.StoreError("two");
        errors.ClearAll();
        errors.StoreError("three");
    }
    QCOMPARE(mirror, QList<QString>({"kept", "one", "two", "three"}));
}

void TestErrorHandler::exceptionReportText()
{
    char report[ExceptionReportSize];
    FormatExceptionReport(report, "VantoraActions/BuildBookmarks/buildbookmarks", "WorkProc", 57);
    QCOMPARE(report,
             "==============================\n"
             "Exception handled: system\n"
             "File: VantoraActions/BuildBookmarks/buildbookmarks\n"
             "Function: WorkProc\n"
             "Line: 57\n");
}

void TestErrorHandler::exceptionReportIsCutToItsBuffer()
{
    const QByteArray longPath(4000, 'x');
    char report[ExceptionReportSize];
    FormatExceptionReport(report, longPath.constData(), "WorkProc", 1);
    QCOMPARE(std::strlen(report), std::size_t(ExceptionReportSize - 1));
    QVERIFY(QByteArray(report).startsWith("==============================\nException handled: system\nFile: xxx"));
}

QTEST_GUILESS_MAIN(TestErrorHandler)
#include "tst_errorhandler.moc"
