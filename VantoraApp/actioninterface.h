#pragma once

#include <QString>
#include <QtPlugin>

#include "actionrecords.h"

class QWidget;

// The host's action interface. The host calls these through the vtable of an
// object it got from the plug-in, so the order of the virtual operations is
// binding: do not reorder, insert or remove.
class CActionInterface
{
public:
    virtual ~CActionInterface() {}
    virtual int WorkProc(WorkProcInfoStruct* info) = 0;
    virtual int ShowDialogProc(QWidget* parent, DialogLoadStruct* load) = 0;
    virtual int PreSequenceProc(WorkProcInfoStruct* info) = 0;
    virtual int PostSequenceProc(WorkProcInfoStruct* info) = 0;
    virtual QString GetActionName() = 0;
    virtual QString GetDisplayName() = 0;
    virtual QString GetActionHelp() = 0;
    virtual QString GetGroupName() = 0;
    virtual int GetActionFlags() = 0;
    virtual QString GetDefaultIcon() = 0;
};

#define CActionInterface_iid "com.Ombrel.Vantora.ActionInterface_1.0"
Q_DECLARE_INTERFACE(CActionInterface, CActionInterface_iid)
