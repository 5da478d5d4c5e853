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
    // Oldest first; anything out of range reads as "Unknown error".
    void readBack()
    {
        CErrorHandler errors;
        QCOMPARE(errors.GetLast(), QString("Unknown error"));
        errors.StoreError("Creating bookmark Error");
        errors.StoreError("Bookmark builder error");
        QCOMPARE(errors.GetCount(), 2);
        QCOMPARE(errors.GetAt(0), QString("Creating bookmark Error"));
        QCOMPARE(errors.GetLast(), QString("Bookmark builder error"));
        for (long index : {2L, -1L})
            QCOMPARE(errors.GetAt(index), QString("Unknown error"));
    }

    void formatsLikePrintf()
    {
        CErrorHandler errors;
        errors.StoreError("100%% done");
        errors.StoreError(QString::fromUtf8("K\xc3\xa4se %.1f of %s"), 2.5, "Seite \xc3\xbc");
        QCOMPARE(errors.GetAt(0), QString("100% done"));
        QCOMPARE(errors.GetAt(1), QString::fromUtf8("K\xc3\xa4se 2.5 of Seite \xc3\xbc"));
    }

    // The host reads the list at offset 8 and may set a mirror list at 16.
    void sharedLayout()
    {
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
