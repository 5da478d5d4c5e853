#include "actionutils.h"
#include "colorpicker.h"
#include "fontpicker.h"
#include "pdflibrarybinding.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QtTest>

class TestPickers : public QObject
{
    Q_OBJECT

private slots:
    void colorPickerRows_data();
    void colorPickerRows();
    void colorIndex_data();
    void colorIndex();
    void colorOfIndex_data();
    void colorOfIndex();
    void swatch();
    void fontNames_data();
    void fontNames();
    void fontComboBoxFromLibrary();
};

void TestPickers::colorPickerRows_data()
{
    QTest::addColumn<bool>("withNone");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("viewHeight");
    QTest::newRow("with (none)") << true << 12 << 204;
    QTest::newRow("without (none)") << false << 11 << 187;
}

void TestPickers::colorPickerRows()
{
    QFETCH(bool, withNone);
    QFETCH(int, rows);
    QFETCH(int, viewHeight);
    QComboBox combo;
    combo.resize(120, 22);
    CActionUtils::SetupColorPickerComboBox(&combo, withNone);

    QCOMPARE(combo.count(), rows);
    const int offset = withNone ? 0 : 1;
    QCOMPARE(combo.itemText(0), QString(withNone ? "(none)" : "Black"));
    QCOMPARE(combo.itemText(rows - 1), QString("Custom..."));
    QCOMPARE(combo.itemData(rows - 1, Qt::UserRole).value<QColor>(), QColor(255, 255, 255, 255));
    QCOMPARE(combo.itemData(0, Qt::DecorationRole).isValid(), !withNone);
    QCOMPARE(combo.itemText(5 - offset), QString("Orange"));
    QCOMPARE(combo.itemData(5 - offset, Qt::UserRole + 1).value<QColor>(), QColor(255, 127, 0));
    QVERIFY(combo.itemData(5 - offset, Qt::DecorationRole).isValid());
    QVERIFY(!combo.itemData(rows - 1, Qt::UserRole + 1).isValid());

    QCOMPARE(combo.iconSize(), QSize(15, 15));
    QCOMPARE(combo.maxVisibleItems(), 4);
    QAbstractItemView* view = combo.view();
    QVERIFY(view->inherits("QTableView"));
    QCOMPARE(view->height(), viewHeight);
    QCOMPARE(view->width(), 118);
}

void TestPickers::colorIndex_data()
{
    QTest::addColumn<QColor>("color");
    QTest::addColumn<int>("index");
    QTest::newRow("black") << QColor(Qt::black) << 1;
    QTest::newRow("gray") << QColor(Qt::gray) << 3;
    QTest::newRow("red") << QColor(255, 0, 0) << 4;
    QTest::newRow("orange") << QColor(255, 127, 0) << 5;
    QTest::newRow("magenta") << QColor(Qt::magenta) << 10;
    QTest::newRow("near orange") << QColor(255, 128, 0) << 11;
    QTest::newRow("transparent red") << QColor(255, 0, 0, 0) << 11;
    QTest::newRow("red as HSV") << QColor::fromHsv(0, 255, 255) << 11;
    QTest::newRow("invalid") << QColor() << 11;
}

void TestPickers::colorIndex()
{
    QFETCH(QColor, color);
    QFETCH(int, index);
    QCOMPARE(CActionUtils::GetColorPickerIndex(color), index);
}

void TestPickers::colorOfIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QColor>("color");
    QTest::newRow("(none)") << 0 << QColor(Qt::black);
    QTest::newRow("white") << 2 << QColor(Qt::white);
    QTest::newRow("orange") << 5 << QColor(255, 127, 0);
    QTest::newRow("fuchsia") << 10 << QColor(Qt::magenta);
    QTest::newRow("custom") << 11 << QColor(Qt::black);
    QTest::newRow("negative") << -1 << QColor(Qt::black);
    QTest::newRow("past the end") << 12 << QColor(Qt::black);
}

void TestPickers::colorOfIndex()
{
    QFETCH(int, index);
    QFETCH(QColor, color);
    QCOMPARE(CActionUtils::GetColorPickerColor(index), color);
}

void TestPickers::swatch()
{
    const QImage image = ColorPicker::Swatch(Qt::red).toImage();
    QCOMPARE(image.size(), QSize(15, 15));
    QCOMPARE(QColor(image.pixel(0, 0)), QColor(Qt::black));
    QCOMPARE(QColor(image.pixel(13, 13)), QColor(Qt::black));
    QCOMPARE(QColor(image.pixel(13, 7)), QColor(Qt::black));
    QCOMPARE(QColor(image.pixel(7, 7)), QColor(Qt::red));
    QCOMPARE(QColor(image.pixel(14, 14)), QColor(Qt::red));
}

void TestPickers::fontNames_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("empty") << "" << QStringList();
    QTest::newRow("trailing empty lines") << "Arial\r\nCourier\r\n\r\n" << QStringList{"Arial", "Courier"};
    QTest::newRow("empty line inside") << "Arial\r\n\r\nCourier" << QStringList{"Arial", "", "Courier"};
    QTest::newRow("only separators") << "\r\n\r\n" << QStringList();
    QTest::newRow("bare line feeds do not split") << "Arial\nCourier" << QStringList{"Arial\nCourier"};
}

void TestPickers::fontNames()
{
    QFETCH(QString, list);
    QFETCH(QStringList, names);
    QCOMPARE(InstalledFontNames(list), names);
}

void TestPickers::fontComboBoxFromLibrary()
{
    QComboBox combo;
    combo.addItem("stale");
    CActionUtils::SetupSystemFontsComboBox(&combo);

    QStringList expected;
    OmbrelPDFLibraryCPDylibCPP1311 library(L"OmbrelPDFLibraryCPDylib1311.dylib");
    if (library.LibraryLoaded()) {
        const std::wstring fonts = library.GetInstalledFontsByCharset(2, 1);
        expected = InstalledFontNames(
            QString::fromUcs4(reinterpret_cast<const uint*>(fonts.data()), int(fonts.size())));
    }
    QStringList shown;
    for (int i = 0; i < combo.count(); ++i)
        shown << combo.itemText(i);
    QCOMPARE(shown, expected);
}

QTEST_MAIN(TestPickers)
#include "tst_pickers.moc"
