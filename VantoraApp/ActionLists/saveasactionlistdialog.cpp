#include "saveasactionlistdialog.h"
#include "ui_saveasactionlistdialog.h"

#include "actionutils.h"
#include "savedsettingskeys.h"
#include "storedfilename.h"

#include <QKeyEvent>
#include <QLabel>

namespace {

const QString ActionListSuffix = QStringLiteral(".xqq");

} // namespace

CSaveAsActionlistDialog::CSaveAsActionlistDialog(QWidget* parent, Qt::WindowFlags)
    : CVantoraDialog(parent, false), ui(std::make_unique<Ui_saveAsActionlistDialog>())
{
    ui->setupUi(this);
    titleLabel->setText(windowTitle());
    VDaddMainWidget(ui->main_widget, true);

    while (ui->categoryComboBox->count() > 0)
        ui->categoryComboBox->removeItem(0);
    ui->categoryComboBox->addItems(CActionUtils::GetActionListCategories());
    ui->categoryComboBox->setCurrentIndex(0);

    // Signal to signal: Return in the name field acts as a click on Save.
    connect(ui->actionListNameLineEdit, SIGNAL(returnPressed()), ui->saveButton, SIGNAL(clicked()));
    ui->nameProblemLabel->hide();
}

CSaveAsActionlistDialog::~CSaveAsActionlistDialog() = default;

void CSaveAsActionlistDialog::LoadPrefsData(QMap<QString, QVariant>* prefs)
{
    this->prefs = prefs;
}

void CSaveAsActionlistDialog::on_UpdateUI()
{
    const QString name = ui->actionListNameLineEdit->text();
    const QString problem = CStoredFileName::Problem(name, ActionListSuffix);
    ui->saveButton->setEnabled(!CStoredFileName::IsBlank(name) && problem.isEmpty());
    ui->nameProblemLabel->setText(problem);
    ui->nameProblemLabel->setToolTip(problem);
    ui->nameProblemLabel->setVisible(!problem.isEmpty());
    ui->actionListNameLineEdit->setToolTip(problem);
}

void CSaveAsActionlistDialog::on_Save()
{
    if (saved || !ui->saveButton->isEnabled() || !prefs)
        return;
    saved = true;
    namespace Keys = SavedSettingsKeys;
    const QString name = ui->actionListNameLineEdit->text();
    prefs->insert(Keys::ActionListName, name);
    prefs->insert(Keys::ActionListCategory, ui->categoryComboBox->currentText());
    prefs->insert(Keys::ActionListOverwrite, ui->newActionListRadioButton->isChecked());
    CActionUtils::SaveAsCustomActionList(prefs);
    if (ui->addToActionListRadioButton->isChecked())
        emit actionListChanged(name);
    accept();
}

void CSaveAsActionlistDialog::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        on_Save();
    QDialog::keyPressEvent(e);
}
