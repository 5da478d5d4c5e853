#pragma once

#include <QMap>
#include <QString>
#include <QVariant>

#include <cstddef>

class OmbrelPDFLibraryCPDylibCPP1311;
class CErrorHandler;

using ActionPrefs = QMap<QString, QVariant>;

// The records the host hands to the action's procedures. The host builds them,
// so field order and widths are fixed; the fields this action never touches
// are kept as opaque placeholders of the right size.
struct WorkProcInfoStruct
{
    OmbrelPDFLibraryCPDylibCPP1311* PDFLibrary;
    CErrorHandler* ErrorHandler;
    void* HostReserved1;
    void* HostReserved2;
    ActionPrefs* Prefs;
};

struct DialogLoadStruct
{
    void* HostReserved1;
    void* HostReserved2;
    void* HostReserved3;
    qint32 DialogMode; // 1: modeless; anything else: modal
    qint32 HostReserved4;
    ActionPrefs* Prefs;
    void* HostReserved5;
    bool HideAddToActionList;
};

static_assert(offsetof(WorkProcInfoStruct, PDFLibrary) == 0, "PDFLibrary at 0");
static_assert(offsetof(WorkProcInfoStruct, ErrorHandler) == 8, "ErrorHandler at 8");
static_assert(offsetof(WorkProcInfoStruct, HostReserved1) == 16, "third field at 16");
static_assert(offsetof(WorkProcInfoStruct, HostReserved2) == 24, "fourth field at 24");
static_assert(offsetof(WorkProcInfoStruct, Prefs) == 32, "Prefs at 32");
static_assert(sizeof(WorkProcInfoStruct::Prefs) == 8, "8-byte fields");

static_assert(offsetof(DialogLoadStruct, DialogMode) == 24, "DialogMode at 24");
static_assert(sizeof(DialogLoadStruct::DialogMode) == 4, "DialogMode is 32-bit");
static_assert(offsetof(DialogLoadStruct, Prefs) == 32, "Prefs at 32");
static_assert(offsetof(DialogLoadStruct, HostReserved5) == 40, "fourth field at 40");
static_assert(offsetof(DialogLoadStruct, HideAddToActionList) == 48, "HideAddToActionList at 48");
static_assert(sizeof(DialogLoadStruct::HideAddToActionList) == 1, "HideAddToActionList is one byte");
