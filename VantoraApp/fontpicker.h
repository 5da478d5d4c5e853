#pragma once

#include <QString>
#include <QStringList>

// The font names in the PDF library's installed-font list: one per CR LF
// line, empty lines at the end dropped, empty lines inside kept.
QStringList InstalledFontNames(const QString& fontList);
