#pragma once

#include <QTreeWidget>

class OmbrelPDFLibraryCPDylibCPP1311;

// The document's bookmarks as a tree; activating one asks for its page.
class OutlinePanel : public QTreeWidget
{
    Q_OBJECT

public:
    explicit OutlinePanel(QWidget* parent = nullptr);

    // Titles of the whole tree, two blanks per level, one per line: what the
    // panel shows, in a form that is easy to compare.
    QString text() const;

    void showOutline(OmbrelPDFLibraryCPDylibCPP1311& library);

signals:
    void pageRequested(int page);
};
