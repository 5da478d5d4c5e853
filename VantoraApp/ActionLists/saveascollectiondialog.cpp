#include "saveascollectiondialog.h"
#include "ui_saveascollectiondialog.h"

#include "actionhistoryapi.h"
#include "savedsettingskeys.h"
#include "storedfilename.h"

#include <QDir>
#include <QFileDialog>
#include <QIcon>
#include <QPixmap>
#include <QSettings>

namespace {

const QString FavouriteSuffix = QStringLiteral(".ini");
const QSize ButtonIconSize(128, 128);
// Short dialogs get one pixel more than the frame would give them.
constexpr int ShortDialogHeight = 235;

} // namespace

CSaveAsCollectionDialog::CSaveAsCollectionDialog(QWidget* parent, Qt::WindowFlags)
    : CVantoraDialog(parent, false), ui(std::make_unique<Ui_saveAsCollectionDialog>())
{
    ui->setupUi(this);
    titleLabel->setText(windowTitle());
    VDaddMainWidget(ui->main_widget, true);
    if (height() <= ShortDialogHeight) {
        setMaximumHeight(ShortDialogHeight + 1);
        setMinimumHeight(ShortDialogHeight + 1);
    }
    ui->nameProblemLabel->hide();
}

CSaveAsCollectionDialog::~CSaveAsCollectionDialog() = default;

void CSaveAsCollectionDialog::LoadPrefsData(QMap<QString, QVariant>* prefs)
{
    this->prefs = prefs;
}

void CSaveAsCollectionDialog::SetCollectionIcon(const QIcon& icon)
{
    ui->icon_toolButton->setIcon(icon);
}

void CSaveAsCollectionDialog::on_Save()
{
    if (!ui->saveButton->isEnabled() || !prefs)
        return;
    prefs->insert(SavedSettingsKeys::CollectionName, ui->collectionNameLineEdit->text());
    QIcon icon = ui->icon_toolButton->icon();
    CActionHistoryAPI(parent() ? parent()->objectName() : QString()).SaveSettingsToHistory(prefs, &icon);
    accept();
}

void CSaveAsCollectionDialog::on_CollectionIcon()
{
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Lumex Reader Advanced Tools"), QString(),
                                                      tr("Image files (*.bmp;*.jpg;*.gif;*.png;*.tif;*.wmf;*.emf)"));
    if (file.isEmpty())
        return;
    const QPixmap image(file);
    if (image.isNull())
        return;
    ui->icon_toolButton->setIcon(
        QIcon(image.scaled(ButtonIconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void CSaveAsCollectionDialog::on_UpdateUI()
{
    const QString name = ui->collectionNameLineEdit->text();
    const QString problem = CStoredFileName::Problem(name, FavouriteSuffix);
    ui->saveButton->setEnabled(!CStoredFileName::IsBlank(name) && problem.isEmpty());
    ui->nameProblemLabel->setText(problem);
    ui->nameProblemLabel->setVisible(!problem.isEmpty());
    ui->collectionNameLineEdit->setToolTip(problem);
}

void CSaveAsCollectionDialog::on_SaveToFile()
{
    const QString file = QFileDialog::getSaveFileName(this, tr("Save Tool settings to file"), QDir::homePath(),
                                                      tr("Tool Settings Files (*.tsf)"));
    if (file.isEmpty() || !prefs) {
        reject();
        return;
    }
    QSettings settings(file, QSettings::IniFormat);
    settings.setValue(SavedSettingsKeys::ToolSettings, QVariant(*prefs));
    reject();
}
