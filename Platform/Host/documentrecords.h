#pragma once

#include <QList>
#include <QStringList>

#include <string>
#include <vector>

class OmbrelPDFLibraryCPDylibCPP1311;

// The text records of every page, read in one pass over the document as the
// engine reads them, and kept as the library gave them.
class DocumentRecords
{
public:
    explicit DocumentRecords(OmbrelPDFLibraryCPDylibCPP1311& library);

    // One string per record, empty ones keeping their place.
    QList<QStringList> records() const;
    // Page N's text at N - 1, as GetPageText returned it.
    const std::vector<std::wstring>& pageTexts() const { return mPages; }

private:
    std::vector<std::wstring> mPages;
};
