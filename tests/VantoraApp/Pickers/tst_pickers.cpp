// The colour and font pickers of the level editor.
#include "actionutils.h"
#include "fontpicker.h"
#include "pdflibrarybinding.h"

#include <QComboBox>
#include <QtTest>

class TestPickers : public QObject
{
    Q_OBJECT

private slots:
    // Stored levels name colours by picker index; without "(none)" the rows
    // move up by one. The custom row holds the user's colour, white until one
    // is chosen.
    void colorPickerRows()
    {
        for (bool withNone : {true, false}) {
            const int shift = withNone ? 0 : -1;
            QComboBox combo;
            CActionUtils::SetupColorPickerComboBox(&combo, withNone);
            QCOMPARE(combo.count(), 12 + shift);
            QCOMPARE(combo.itemData(5 + shift, Qt::UserRole + 1).value<QColor>(), QColor(255, 127, 0));
            QCOMPARE(combo.itemData(11 + shift, Qt::UserRole).value<QColor>(), QColor(Qt::white));
        }
    }

    // Lookups use QColor equality, so alpha counts; anything unnamed is
    // custom. Only indices 1 to 10 have a colour of their own.
    void colorIndex()
    {
        QCOMPARE(CActionUtils::GetColorPickerIndex(Qt::black), 1);
        QCOMPARE(CActionUtils::GetColorPickerIndex(Qt::magenta), 10);
        QCOMPARE(CActionUtils::GetColorPickerIndex(QColor(255, 128, 0)), 11);
        QCOMPARE(CActionUtils::GetColorPickerIndex(QColor(255, 0, 0, 0)), 11);
        QCOMPARE(CActionUtils::GetColorPickerColor(2), QColor(Qt::white));
        QCOMPARE(CActionUtils::GetColorPickerColor(0), QColor(Qt::black));
        QCOMPARE(CActionUtils::GetColorPickerColor(11), QColor(Qt::black));
    }

    // The library's list: CRLF between names, empty lines at the end dropped.
    void fontNames()
    {
        QCOMPARE(InstalledFontNames("Arial\r\nCourier\r\n\r\n"), QStringList({"Arial", "Courier"}));
        QCOMPARE(InstalledFontNames("Arial\r\n\r\nCourier"), QStringList({"Arial", "", "Courier"}));
        QCOMPARE(InstalledFontNames("Arial\nCourier"), QStringList{"Arial\nCourier"});
    }

    // The stand-in library in the build's bin folder answers the query.
    void fontComboBoxFromLibrary()
    {
        QComboBox combo;
        combo.addItem("stale");
        CActionUtils::SetupSystemFontsComboBox(&combo);
        OmbrelPDFLibraryCPDylibCPP1311 library(L"OmbrelPDFLibraryCPDylib1311.dylib");
        const std::wstring fonts = library.GetInstalledFontsByCharset(2, 1);
        const QStringList names = InstalledFontNames(QString::fromWCharArray(fonts.data(), int(fonts.size())));
        QVERIFY(!names.isEmpty());
        QCOMPARE(combo.count(), names.size());
        QCOMPARE(combo.itemText(0), names.first());
    }
};

QTEST_MAIN(TestPickers)
#include "tst_pickers.moc"
