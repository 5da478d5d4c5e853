#pragma once

// Driving the wizard as the host opens it: the built plug-in loaded once, the
// wizard shown modally on a settings map, and its widgets reached by name
// from inside its event loop (modalstep.h).

// By path, so every test that drives the wizard gets it without set-up.
#include "modalstep.h"
#include "actioninterface.h"
#include "actionrecords.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPluginLoader>
#include <QStackedWidget>
#include <QTableWidget>

#include <functional>

using Prefs = QMap<QString, QVariant>;

// Loads the built plug-in into `loader`; fails the calling test otherwise.
inline void LoadAction(QPluginLoader& loader, CActionInterface*& action)
{
    loader.setFileName(qEnvironmentVariable("VANTORA_BIN_DIR") + "/libBuildBookmarks.so");
    action = qobject_cast<CActionInterface*>(loader.instance());
    QVERIFY2(action, qPrintable(loader.errorString()));
}

// Opens the wizard modally on `prefs`; `step` runs inside it.
inline int ShowModal(CActionInterface* action, Prefs& prefs, std::function<void(QWidget*)> step)
{
    WhenModal("CPrefsDialog", std::move(step));
    DialogLoadStruct load = {};
    load.DialogMode = 0;
    load.Prefs = &prefs;
    return action->ShowDialogProc(nullptr, &load);
}

// A level as a user sets it in the editor; criteria left out are off.
struct WizardLevel
{
    double size = 0;  // tolerance 0.5
    QString mask = {};
    QString font = {};
    int colorRow = -1;  // 10: "Custom...", answered with #0a141e
    int unitRow = -1;
    double indent = 0;
    double indentTolerance = 0;
};

inline QTableWidget* LevelTable(QWidget* d)
{
    return Child<QTableWidget>(d, "page3LevelTableWidget");
}

// "Level N | summary" for each row of the level table.
inline QStringList LevelRows(QWidget* d)
{
    QStringList rows;
    for (int row = 0; row < LevelTable(d)->rowCount(); ++row)
        rows << LevelTable(d)->item(row, 0)->text() + " | " + LevelTable(d)->item(row, 1)->text();
    return rows;
}

// "Add Level", the editor filled in, "OK".
inline void AddLevel(QWidget* d, const WizardLevel& level)
{
    QVERIFY(Click(d, "page3AddButton"));
    Child<QAbstractButton>(d, "fontNameCheckBox")->setChecked(!level.font.isEmpty());
    Child<QComboBox>(d, "fontNameComboBox")->setEditText(level.font);
    Child<QAbstractButton>(d, "FontSizeCheckBox")->setChecked(level.size > 0);
    Child<QDoubleSpinBox>(d, "fontSizeDoubleSpinBox")->setValue(level.size);
    Child<QDoubleSpinBox>(d, "fontToleranceDoubleSpinBox")->setValue(0.5);
    Child<QAbstractButton>(d, "fontColorCheckBox")->setChecked(level.colorRow >= 0);
    Child<QComboBox>(d, "fontColorComboBox")->setCurrentIndex(qMax(level.colorRow, 0));
    Child<QAbstractButton>(d, "leftIndentationCheckBox")->setChecked(level.unitRow >= 0);
    if (level.unitRow >= 0) {
        Child<QComboBox>(d, "intendationUnitComboBox")->setCurrentIndex(level.unitRow);
        Child<QDoubleSpinBox>(d, "intendationDoubleSpinBox")->setValue(level.indent);
        Child<QDoubleSpinBox>(d, "intendationToleranceDoubleSpinBox")->setValue(level.indentTolerance);
    }
    Child<QAbstractButton>(d, "textMaskCheckBox")->setChecked(!level.mask.isEmpty());
    Child<QLineEdit>(d, "maskLineEdit")->setText(level.mask);
    if (level.colorRow == 10) {  // picked as a user does
        WhenModal("QColorDialog", [](QWidget* w) {
            static_cast<QColorDialog*>(w)->setCurrentColor(QColor(10, 20, 30));
            static_cast<QColorDialog*>(w)->accept();
        });
        QMetaObject::invokeMethod(Child<QComboBox>(d, "fontColorComboBox"), "activated", Q_ARG(int, 10));
    }
    QVERIFY(Click(d, "page4OkButton"));
    QCOMPARE(Child<QStackedWidget>(d, "stackedWidget")->currentIndex(), 2);
}

// The entries of `prefs` a test looks at.
inline Prefs Only(const Prefs& prefs, const QStringList& keys)
{
    Prefs picked;
    for (const QString& key : keys)
        picked.insert(key, prefs.value(key));
    return picked;
}
