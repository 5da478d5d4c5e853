#pragma once

#include "vantoradialog.h"

#include <QMap>
#include <QString>
#include <QVariant>

#include <memory>

class QIcon;
class Ui_saveAsCollectionDialog;

// Keeps the caller's settings as a named favourite with an icon, or writes
// them to a tool settings file the user picks.
class CSaveAsCollectionDialog : public CVantoraDialog
{
    Q_OBJECT

public:
    // The window flags are not used: the frame decides its own.
    CSaveAsCollectionDialog(QWidget* parent, Qt::WindowFlags flags);
    ~CSaveAsCollectionDialog() override;

    // The map must outlive the dialog's run; Save adds CollectionName to it.
    void LoadPrefsData(QMap<QString, QVariant>* prefs);

    // The icon the favourite starts with; the user may change it.
    void SetCollectionIcon(const QIcon& icon);

public slots:
    void on_Save();
    void on_CollectionIcon();
    void on_UpdateUI();
    void on_SaveToFile();

private:
    std::unique_ptr<Ui_saveAsCollectionDialog> ui;
    QMap<QString, QVariant>* prefs = nullptr;
};
