#include "outlinepanel.h"

#include "outlinereader.h"

#include <QHeaderView>

namespace {

const int PageRole = Qt::UserRole;

void AddItems(QTreeWidgetItem* parent, QTreeWidget* tree, const QList<OutlineItem>& items)
{
    for (const OutlineItem& item : items) {
        auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        node->setText(0, item.title);
        // A long title is cut short in the panel; its tip holds all of it.
        node->setToolTip(0, item.title);
        node->setText(1, item.page > 0 ? QString::number(item.page) : QString());
        node->setData(0, PageRole, item.page);
        node->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        AddItems(node, tree, item.children);
    }
}

void AppendText(const QTreeWidgetItem* item, int depth, QString& out)
{
    out += QString(depth * 2, QLatin1Char(' ')) + item->text(0) + QLatin1Char('\n');
    for (int i = 0; i < item->childCount(); ++i)
        AppendText(item->child(i), depth + 1, out);
}

} // namespace

OutlinePanel::OutlinePanel(QWidget* parent)
    : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("outlinePanel"));
    setColumnCount(2);
    setHeaderLabels({tr("Bookmark"), tr("Page")});
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    setUniformRowHeights(true);
    const auto go = [this](QTreeWidgetItem* item) {
        const int page = item->data(0, PageRole).toInt();
        if (page > 0)
            emit pageRequested(page);
    };
    connect(this, &QTreeWidget::itemClicked, this, go);
    connect(this, &QTreeWidget::itemActivated, this, go);
}

void OutlinePanel::showOutline(OmbrelPDFLibraryCPDylibCPP1311& library)
{
    clear();
    AddItems(nullptr, this, OutlineReader::read(library));
    expandAll();
}

QString OutlinePanel::text() const
{
    QString out;
    for (int i = 0; i < topLevelItemCount(); ++i)
        AppendText(topLevelItem(i), 0, out);
    return out;
}
