#include "buildbookmarks.h"

#include "actionidentity.h"
#include "actionwindowicon.h"
#include "buildbookmarkapi.h"
#include "errorhandler.h"
#include "pdflibrarybinding.h"
#include "prefsdialog.h"
#include "settingskeys.h"

#include <QPointer>

namespace {

// The path the exception reports name for this file.
const char* const ReportFile = "VantoraActions/BuildBookmarks/buildbookmarks";

// Runs one guarded step of the work procedure. Any exception is handled in two
// stages: the inner one writes the exception report and turns the failure into
// the integer 0, the outer one records `message` in the host's error list.
// Returns false when the step failed.
template <typename Step>
bool RunGuarded(Step&& step, CErrorHandler* errors, const QString& message)
{
    try {
        try {
            step();
        } catch (...) {
            char report[ExceptionReportSize];
            FormatExceptionReport(report, ReportFile, "WorkProc", __LINE__);
            StoreErrorToLog(report);
            throw 0;
        }
    } catch (int) {
        errors->StoreError(message);
        return false;
    }
    return true;
}

} // namespace

CBuildBookmarks::CBuildBookmarks() = default;

CBuildBookmarks::~CBuildBookmarks() = default;

int CBuildBookmarks::WorkProc(WorkProcInfoStruct* info)
{
    OmbrelPDFLibraryCPDylibCPP1311* library = info->PDFLibrary;
    const int pages = library->PageCount();
    const bool nth = info->Prefs->value(SettingsKeys::NthChecked).toBool();
    if (nth)
        return BuildEveryNthPage(info, pages);
    return BuildFromContent(info);
}

int CBuildBookmarks::BuildEveryNthPage(WorkProcInfoStruct* info, int pages)
{
    const int n = info->Prefs->value(SettingsKeys::NthPage).toInt();
    // The wizard never stores less than 1; a map from elsewhere may, and a
    // step below 1 has no sensible meaning, so such a run adds nothing.
    if (n < 1)
        return 0;

    int result = 0;
    for (int page = 1; page <= pages; ++page) {
        if (page % n != 0)
            continue;
        const bool done = RunGuarded(
            [&] {
                const QString title = QStringLiteral("Page ") + QString::number(page);
                info->PDFLibrary->NewOutline(0, title.toStdWString(), page, 0.0);
            },
            info->ErrorHandler, QStringLiteral("Creating bookmark Error"));
        if (!done)
            result = 1;
    }
    return result;
}

int CBuildBookmarks::BuildFromContent(WorkProcInfoStruct* info)
{
    const bool done = RunGuarded(
        [info] {
            CBuildBookmarkAPI engine(info->PDFLibrary, info->Prefs);
            engine.BuildBookmarks();
        },
        info->ErrorHandler, QStringLiteral("Bookmark builder error"));
    return done ? 0 : 1;
}

int CBuildBookmarks::ShowDialogProc(QWidget* parent, DialogLoadStruct* load)
{
    CActionInterface* action = this;
    const QIcon icon = CActionWindowIcon::FromIconNames(action->GetDefaultIcon());

    if (load->DialogMode == 1) {
        // A tool of the host's window: it belongs to parent, deletes itself
        // when it finishes and hands its map over by signal.
        auto* dialog = new CPrefsDialog(parent, Qt::WindowFlags());
        dialog->setWindowIcon(icon);
        dialog->show();
        if (parent) {
            connect(dialog, SIGNAL(sendPrefsData(QMap<QString, QVariant>)), parent,
                    SLOT(on_ModelessActionDialogFinnished(QMap<QString, QVariant>)));
            connect(dialog, SIGNAL(finished(int)), parent, SLOT(on_SetHeaderWidgetsEnabled(int)));
        }
        return 1;
    }

    CPrefsDialog dialog(parent, Qt::WindowFlags());
    dialog.setWindowFlags(dialog.windowFlags() & ~Qt::WindowContextHelpButtonHint);
    dialog.setWindowIcon(icon);
    if (load->HideAddToActionList)
        dialog.VDhideAddToActionListButton();
    if (!load->Prefs->isEmpty())
        dialog.SetPrefs(load->Prefs);
    const int result = dialog.exec();
    if (result == QDialog::Accepted)
        dialog.GetPrefs(load->Prefs);
    return result == QDialog::Accepted ? 1 : 0;
}

int CBuildBookmarks::PreSequenceProc(WorkProcInfoStruct*)
{
    return 1;
}

int CBuildBookmarks::PostSequenceProc(WorkProcInfoStruct*)
{
    return 1;
}

QString CBuildBookmarks::GetActionName()
{
    return ActionIdentity::Name;
}

QString CBuildBookmarks::GetDisplayName()
{
    return GetActionName();
}

QString CBuildBookmarks::GetActionHelp()
{
    return QStringLiteral("Action_BuilsBookmarks.html");
}

QString CBuildBookmarks::GetGroupName()
{
    return ActionIdentity::Group;
}

int CBuildBookmarks::GetActionFlags()
{
    return 0x4F;
}

QString CBuildBookmarks::GetDefaultIcon()
{
    return QStringLiteral("Action_BuildBookmarks.png#Action_BuildBookmarks_Selected.png"
                          "#Action_BuildBookmarks_Disabled.png");
}

// The plug-in metadata in Qt's older binary-JSON form, made at build time by
// tools/pluginmetadata, and the two C entry points with the guarded singleton.
#include "pluginmetadata.inc"

QT_MOC_EXPORT_PLUGIN(CBuildBookmarks, CBuildBookmarks)
