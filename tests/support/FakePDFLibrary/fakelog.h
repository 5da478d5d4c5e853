#pragma once

// The double's call log and outline tree as Qt strings, for QCOMPARE.

#include "fakepdflibrary.h"

#include <QStringList>

namespace FakePDFLibrary {

inline QStringList CallLog()
{
    QStringList lines;
    for (const std::string& line : Calls())
        lines << QString::fromStdString(line);
    return lines;
}

inline QString Tree()
{
    return QString::fromStdString(Dump());
}

} // namespace FakePDFLibrary
