#include "writefailure.h"

#include <QtTest>

#include <cerrno>
#include <cstring>

Q_DECLARE_METATYPE(EngineErrorCode)

// A failed save names its cause: the disk, a permission, or the document.
class TestWriteFailure : public QObject
{
    Q_OBJECT

private slots:
    void causes_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<EngineErrorCode>("cause");
        const QString full = QString::fromLocal8Bit(std::strerror(ENOSPC));
        QTest::newRow("full disk") << "cannot fwrite: " + full << EngineErrorCode::NoSpace;
        QTest::newRow("quota") << "cannot fflush: " + QString::fromLocal8Bit(std::strerror(EDQUOT)) << EngineErrorCode::NoSpace;
        QTest::newRow("read-only folder")
            << "cannot create a file in /x: " + QString::fromLocal8Bit(std::strerror(EACCES)) << EngineErrorCode::PermissionDenied;
        QTest::newRow("other output error") << "cannot open file '/x/y': odd" << EngineErrorCode::CannotWrite;
        QTest::newRow("broken object") << "object out of range (12 0 R); xref size 10" << EngineErrorCode::Damaged;
    }

    void causes()
    {
        QFETCH(QString, message);
        QFETCH(EngineErrorCode, cause);
        QCOMPARE(WriteFailureCause(message.toStdString()), cause);
    }
};

QTEST_GUILESS_MAIN(TestWriteFailure)
#include "tst_writefailure.moc"
