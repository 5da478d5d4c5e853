#pragma once

#include "recordline.h"
#include "textstyle.h"

#include <QList>
#include <QStringList>
#include <QVector>

// Every line of a document that has visible text, in the order the engine
// meets them, with its style and whether the engine would join it to the
// line above as the rest of a wrapped title.
struct DocumentLines
{
    QVector<RecordLine> lines;
    QVector<TextStyle> styles;
    QVector<bool> continues;
    int pageCount = 0;

    // pages: the records of each page, one string per record as the PDF
    // library gives them (empty records keep their place).
    static DocumentLines from(const QList<QStringList>& pages);
};
