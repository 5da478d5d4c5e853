// The host's error list as both sides use it: what the host reads back, how
// the plug-in's messages are formatted, the layout the host relies on, and
// the exception report every catch site writes.
#include "errorhandler.h"

#include <QtTest>

#include <cstring>

class TestErrorHandler : public QObject
{
    Q_OBJECT

private slots:
    void readBack_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("at");
        QTest::addColumn<QString>("last");
        QTest::newRow("empty") << QStringList() << 0 << "Unknown error" << "Unknown error";
        QTest::newRow("oldest first") << QStringList{"Creating bookmark Error", "Bookmark builder error"} << 0
                                      << "Creating bookmark Error" << "Bookmark builder error";
        QTest::newRow("at the count") << QStringList{"one"} << 1 << "Unknown error" << "one";
        QTest::newRow("negative") << QStringList{"one"} << -1 << "Unknown error" << "one";
    }

    void readBack()
    {
        QFETCH(QStringList, stored);
        QFETCH(int, index);
        CErrorHandler errors;
        for (const QString& message : stored)
            errors.StoreError(message);
        QCOMPARE(errors.GetCount(), stored.size());
        QTEST(errors.GetAt(index), "at");
        QTEST(errors.GetLast(), "last");
    }

    void formatsLikePrintf()
    {
        CErrorHandler errors;
        errors.StoreError("100%% done");
        errors.StoreError("Page %d of %s", 3, "Seite \xc3\xbc");
        errors.StoreError(QString::fromUtf8("K\xc3\xa4se %.1f"), 2.5);
        QCOMPARE(errors.GetAt(0), QString("100% done"));
        QCOMPARE(errors.GetAt(1), QString::fromUtf8("Page 3 of Seite \xc3\xbc"));
        QCOMPARE(errors.GetAt(2), QString::fromUtf8("K\xc3\xa4se 2.5"));
    }

    // The host reads the list at offset 8 and may set a mirror list at 16.
    void sharedLayout()
    {
        QCOMPARE(sizeof(CErrorHandler), std::size_t(24));
        QList<QString> mirror{"kept"};
        {
            CErrorHandler errors;
            auto* bytes = reinterpret_cast<char*>(&errors);
            auto& mirrorField = *reinterpret_cast<QList<QString>**>(bytes + 16);
            QCOMPARE(mirrorField, nullptr);
            mirrorField = &mirror;
            errors.StoreError("one");
            errors.ClearAll();
            errors.StoreError("two");
            QCOMPARE(*reinterpret_cast<QList<QString>*>(bytes + 8), QList<QString>{"two"});
        }
        QCOMPARE(mirror, QList<QString>({"kept", "one", "two"}));
    }

    void exceptionReport()
    {
        char report[ExceptionReportSize];
        FormatExceptionReport(report, "VantoraActions/BuildBookmarks/buildbookmarks", "WorkProc", 57);
        QCOMPARE(report,
                 "==============================\n"
                 "Exception handled: system\n"
                 "File: VantoraActions/BuildBookmarks/buildbookmarks\n"
                 "Function: WorkProc\n"
                 "Line: 57\n");
        // A path longer than the buffer is cut, not written past it.
        FormatExceptionReport(report, QByteArray(4000, 'x').constData(), "WorkProc", 1);
        QCOMPARE(std::strlen(report), std::size_t(ExceptionReportSize - 1));
    }
};

QTEST_GUILESS_MAIN(TestErrorHandler)
#include "tst_errorhandler.moc"
