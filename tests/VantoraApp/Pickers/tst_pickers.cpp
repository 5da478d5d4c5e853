// The colour and font pickers of the level editor.
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
    void colorPickerRows_data()
    {
        QTest::addColumn<bool>("withNone");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("viewHeight");
        QTest::newRow("with (none)") << true << 12 << 204;
        QTest::newRow("without (none)") << false << 11 << 187;
    }

    void colorPickerRows()
    {
        QFETCH(bool, withNone);
        QFETCH(int, rows);
        QComboBox combo;
        combo.resize(120, 22);
        CActionUtils::SetupColorPickerComboBox(&combo, withNone);
        QCOMPARE(combo.count(), rows);
        QCOMPARE(combo.itemText(0), QString(withNone ? "(none)" : "Black"));
        QCOMPARE(combo.itemData(0, Qt::DecorationRole).isValid(), !withNone);
        const int orange = withNone ? 5 : 4;
        QCOMPARE(combo.itemText(orange), QString("Orange"));
        QCOMPARE(combo.itemData(orange, Qt::UserRole + 1).value<QColor>(), QColor(255, 127, 0));
        QCOMPARE(combo.itemText(rows - 1), QString("Custom..."));
        QCOMPARE(combo.itemData(rows - 1, Qt::UserRole).value<QColor>(), QColor(255, 255, 255, 255));
        QTEST(combo.view()->height(), "viewHeight");
        QCOMPARE(combo.view()->width(), 118);
    }

    // The outline runs from (0, 0) to (13, 13); the last row and column keep the colour.
    void swatch()
    {
        const QImage image = ColorPicker::Swatch(Qt::red).toImage();
        QCOMPARE(image.size(), QSize(15, 15));
        QCOMPARE(QColor(image.pixel(13, 7)), QColor(Qt::black));
        QCOMPARE(QColor(image.pixel(7, 7)), QColor(Qt::red));
        QCOMPARE(QColor(image.pixel(14, 14)), QColor(Qt::red));
    }

    // Lookups compare with QColor equality: specification and alpha count.
    void colorIndex_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<int>("index");
        QTest::newRow("black") << QColor(Qt::black) << 1;
        QTest::newRow("fuchsia") << QColor(Qt::magenta) << 10;
        QTest::newRow("near orange") << QColor(255, 128, 0) << 11;
        QTest::newRow("transparent red") << QColor(255, 0, 0, 0) << 11;
        QTest::newRow("red as HSV") << QColor::fromHsv(0, 255, 255) << 11;
    }

    void colorIndex()
    {
        QFETCH(QColor, color);
        QTEST(CActionUtils::GetColorPickerIndex(color), "index");
    }

    // Only indices 1 to 10 have a colour of their own.
    void colorOfIndex()
    {
        QCOMPARE(CActionUtils::GetColorPickerColor(2), QColor(Qt::white));
        for (int index : {0, 11, -1})
            QCOMPARE(CActionUtils::GetColorPickerColor(index), QColor(Qt::black));
    }

    void fontNames_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("trailing empty lines") << "Arial\r\nCourier\r\n\r\n" << QStringList{"Arial", "Courier"};
        QTest::newRow("empty line inside") << "Arial\r\n\r\nCourier" << QStringList{"Arial", "", "Courier"};
        QTest::newRow("bare line feeds do not split") << "Arial\nCourier" << QStringList{"Arial\nCourier"};
    }

    void fontNames()
    {
        QFETCH(QString, list);
        QTEST(InstalledFontNames(list), "names");
    }

    // The stand-in library in the build's bin folder answers the query.
    void fontComboBoxFromLibrary()
    {
        QComboBox combo;
        combo.addItem("stale");
        CActionUtils::SetupSystemFontsComboBox(&combo);
        OmbrelPDFLibraryCPDylibCPP1311 library(L"OmbrelPDFLibraryCPDylib1311.dylib");
        QVERIFY(library.LibraryLoaded());
        const std::wstring fonts = library.GetInstalledFontsByCharset(2, 1);
        const QStringList names = InstalledFontNames(QString::fromWCharArray(fonts.data(), int(fonts.size())));
        QVERIFY(!names.isEmpty());
        QCOMPARE(combo.count(), names.size());
        QCOMPARE(combo.itemText(0), names.first());
    }
};

QTEST_MAIN(TestPickers)
#include "tst_pickers.moc"
