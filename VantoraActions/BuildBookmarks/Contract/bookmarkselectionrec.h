#pragma once

#include <QColor>
#include <QMetaType>
#include <QString>

// What the host sends to the wizard when the user selects text in the
// document: enough to prefill a level that would match that text.
struct PDBookmarkSelectionRec
{
    QString fontName;
    double fontSize = 0.0; // points
    QRgb color = 0;        // ARGB
    double left = 0.0;     // points
};

Q_DECLARE_METATYPE(PDBookmarkSelectionRec)
