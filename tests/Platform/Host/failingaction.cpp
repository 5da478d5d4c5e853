// An action that makes one bookmark and then fails, as a run that breaks
// half-way does: for the host's handling of a failed WorkProc.
#include "actioninterface.h"
#include "errorhandler.h"
#include "pdflibrarybinding.h"

#include <QObject>

class CFailingAction : public QObject, public CActionInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.ombrel.vantora.tests.failingaction")
    Q_INTERFACES(CActionInterface)

public:
    int WorkProc(WorkProcInfoStruct* info) override
    {
        info->PDFLibrary->NewOutline(0, L"Made before the failure", 1, 0.0);
        info->ErrorHandler->StoreError(QStringLiteral("Bookmark builder error"));
        return 1;
    }
    int ShowDialogProc(QWidget*, DialogLoadStruct*) override { return 0; }
    int PreSequenceProc(WorkProcInfoStruct*) override { return 1; }
    int PostSequenceProc(WorkProcInfoStruct*) override { return 1; }
    QString GetActionName() override { return QStringLiteral("Bookmarks by Content"); }
    QString GetDisplayName() override { return GetActionName(); }
    QString GetActionHelp() override { return QString(); }
    QString GetGroupName() override { return QStringLiteral("Tests"); }
    int GetActionFlags() override { return 0; }
    QString GetDefaultIcon() override { return QString(); }
};

#include "failingaction.moc"
