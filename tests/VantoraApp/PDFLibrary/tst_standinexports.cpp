// The stand-in library must look to the binding exactly like the real one:
// every entry point of the binding's table, and nothing else, exported.
#include "dynamicsymbols.h"
#include "pdflibrarybinding.h"

#include <QtTest>

class TestStandInExports : public QObject
{
    Q_OBJECT

private slots:
    void exportsExactlyTheBindingsEntryPoints()
    {
        QString error;
        QStringList exported = DefinedDynamicSymbols(
            qEnvironmentVariable("VANTORA_BIN_DIR") + "/OmbrelPDFLibraryCPDylib1311.dylib", &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        exported.sort();
        QStringList table;
        for (const char* name : OmbrelPDFLibraryCPDylibCPP1311::EntryPointNames)
            table << name;
        QCOMPARE(exported, table);
    }
};

QTEST_GUILESS_MAIN(TestStandInExports)
#include "tst_standinexports.moc"
