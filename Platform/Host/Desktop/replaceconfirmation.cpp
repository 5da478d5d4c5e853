#include "replaceconfirmation.h"

#include "hostsettings.h"

#include <QCheckBox>
#include <QMessageBox>

namespace {

const QString DontAskKey = QStringLiteral("Questions/DontAskBeforeReplacing");
// InsertionMode 0 replaces; N-th page runs only add.
const int Overwrite = 0;

} // namespace

bool ReplaceConfirmation::replaces(const ActionPrefs& prefs)
{
    return !prefs.value(QStringLiteral("NthChecked")).toBool()
        && prefs.value(QStringLiteral("InsertionMode")).toInt() == Overwrite;
}

bool ReplaceConfirmation::confirm(QWidget* parent, const ActionPrefs& prefs, int existingBookmarks)
{
    if (existingBookmarks <= 0 || !replaces(prefs) || HostSettings().value(DontAskKey).toBool())
        return true;
    QMessageBox box(QMessageBox::Question, QObject::tr("Replace bookmarks"),
                    QObject::tr("The document has %1 bookmark%2. This run replaces them with the ones it builds.")
                        .arg(existingBookmarks)
                        .arg(existingBookmarks == 1 ? QString() : QStringLiteral("s")),
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setInformativeText(QObject::tr("To keep them, choose the insertion After or Before in the settings. "
                                       "A run that builds nothing keeps them in any case, and Undo brings them back."));
    box.button(QMessageBox::Ok)->setText(QObject::tr("Replace"));
    auto* dontAsk = new QCheckBox(QObject::tr("Don't ask again"), &box);
    box.setCheckBox(dontAsk);
    if (box.exec() != QMessageBox::Ok)
        return false;
    if (dontAsk->isChecked())
        HostSettings().setValue(DontAskKey, true);
    return true;
}
