#pragma once

#include "actionrecords.h"

#include <QString>

// The last settings finished for each document, kept in the host's own
// settings file so that closing the wizard or the window loses no level.
// Documents are told apart by their absolute path.
class KeptSettings
{
public:
    static ActionPrefs read(const QString& documentPath);
    static void keep(const QString& documentPath, const ActionPrefs& prefs);
};
