#pragma once

#include "vantoradialog.h"

#include <QMap>
#include <QString>
#include <QVariant>

#include <memory>

class QKeyEvent;
class Ui_saveAsActionlistDialog;

// Asks for the name and category under which the caller's settings are saved
// as an action list: a new list, or one more step of an existing one.
class CSaveAsActionlistDialog : public CVantoraDialog
{
    Q_OBJECT

public:
    // The window flags are not used: the frame decides its own.
    CSaveAsActionlistDialog(QWidget* parent, Qt::WindowFlags flags);
    ~CSaveAsActionlistDialog() override;

    // The map must outlive the dialog's run; the dialog adds its request
    // keys to it and the writer may remove them again.
    void LoadPrefsData(QMap<QString, QVariant>* prefs);

signals:
    void actionListChanged(QString name);

public slots:
    void on_Save();
    void on_UpdateUI();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    std::unique_ptr<Ui_saveAsActionlistDialog> ui;
    QMap<QString, QVariant>* prefs = nullptr;
    // Return in the name field saves through returnPressed() and then
    // reaches keyPressEvent() as well: one run saves once.
    bool saved = false;
};
