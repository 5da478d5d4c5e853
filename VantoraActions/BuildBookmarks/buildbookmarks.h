#pragma once

#include <QObject>

#include "actioninterface.h"

// The action the host gets from this plug-in: "Bookmarks by Content". It holds
// no state; each procedure works from the record it is handed.
class CBuildBookmarks : public QObject, public CActionInterface
{
    Q_OBJECT
    Q_INTERFACES(CActionInterface)

public:
    CBuildBookmarks();
    ~CBuildBookmarks() override;

    int WorkProc(WorkProcInfoStruct* info) override;
    int ShowDialogProc(QWidget* parent, DialogLoadStruct* load) override;
    int PreSequenceProc(WorkProcInfoStruct* info) override;
    int PostSequenceProc(WorkProcInfoStruct* info) override;
    QString GetActionName() override;
    QString GetDisplayName() override;
    QString GetActionHelp() override;
    QString GetGroupName() override;
    int GetActionFlags() override;
    QString GetDefaultIcon() override;

private:
    int BuildEveryNthPage(WorkProcInfoStruct* info, int pages);
    int BuildFromContent(WorkProcInfoStruct* info);
};
