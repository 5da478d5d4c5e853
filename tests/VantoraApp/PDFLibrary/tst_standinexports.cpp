// The stand-in library must look to the binding exactly like the real one:
// every entry point of the binding's table, and nothing else, exported.
#include "dynamicsymbols.h"
#include "pdflibrarybinding.h"

#include <QtTest>

#include <algorithm>
#include <string>
#include <vector>

namespace {

QString Joined(const std::vector<std::string>& names)
{
    QStringList list;
    for (const std::string& name : names)
        list << QString::fromStdString(name);
    return list.join(QStringLiteral(", "));
}

} // namespace

class TestStandInExports : public QObject
{
    Q_OBJECT

private slots:
    void exportsExactlyTheBindingsEntryPoints();
};

void TestStandInExports::exportsExactlyTheBindingsEntryPoints()
{
    const QString file = qEnvironmentVariable("VANTORA_BIN_DIR")
        + QStringLiteral("/OmbrelPDFLibraryCPDylib1311.dylib");
    QString error;
    const QStringList symbols = DefinedDynamicSymbols(file, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));

    std::vector<std::string> exported;
    for (const QString& symbol : symbols)
        exported.push_back(symbol.toStdString());
    std::sort(exported.begin(), exported.end());
    const std::vector<std::string> table(OmbrelPDFLibraryCPDylibCPP1311::EntryPointNames,
                                         OmbrelPDFLibraryCPDylibCPP1311::EntryPointNames
                                             + OmbrelPDFLibraryCPDylibCPP1311::EntryPointCount);

    std::vector<std::string> unexpected;
    std::set_difference(exported.begin(), exported.end(), table.begin(), table.end(),
                        std::back_inserter(unexpected));
    std::vector<std::string> missing;
    std::set_difference(table.begin(), table.end(), exported.begin(), exported.end(),
                        std::back_inserter(missing));
    QVERIFY2(unexpected.empty(), qPrintable("exported but not an entry point: " + Joined(unexpected)));
    QVERIFY2(missing.empty(), qPrintable("entry point not exported: " + Joined(missing)));
    QCOMPARE(exported, table);
}

QTEST_GUILESS_MAIN(TestStandInExports)
#include "tst_standinexports.moc"
