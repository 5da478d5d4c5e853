#include "previewwindow.h"

#include "backgroundpagerenderer.h"
#include "bookmarkselectionrec.h"
#include "pagegeometryreader.h"
#include "pageview.h"
#include "textselection.h"

#include <QVBoxLayout>

PreviewWindow::PreviewWindow(QWidget* parent)
    : QWidget(parent),
      mRenderer(new BackgroundPageRenderer(this)),
      mGeometry(new PageGeometryReader(this)),
      mView(new PageView(this)),
      mSelection(new TextSelection(mRenderer, this))
{
    setObjectName(QStringLiteral("VantoraPreviewClass"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(mView);

    connect(mView, &PageView::pagesWanted, mRenderer, &BackgroundPageRenderer::render);
    connect(mRenderer, &BackgroundPageRenderer::pageRendered, mView, &PageView::showRenderedPage);
    connect(mRenderer, &BackgroundPageRenderer::renderFailed, this, [this](int, const QString& message) { emit statusMessage(message); });
    connect(mGeometry, &PageGeometryReader::pagesRead, this, [this](const QVector<QRectF>& pages) {
        mView->appendPages(pages);
        emit pagesKnown(mView->pageCount(), false);
    });
    connect(mGeometry, &PageGeometryReader::finished, this, [this] { emit pagesKnown(mView->pageCount(), true); });
    connect(mView, &PageView::areaPicked, mSelection, &TextSelection::select);
    connect(mSelection, &TextSelection::lineSelected, this, &PreviewWindow::sendSelection);
    connect(mSelection, &TextSelection::nothingSelected, this, [this] {
        mView->clearHighlight();
        emit statusMessage(tr("No text there: click a line or drag a rectangle over it."));
    });
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::showDocument(const QString& path, const QString& password, const QRectF& firstPage, int claimedPages)
{
    mRenderer->open(path, password);
    mView->setPages({firstPage});
    emit pagesKnown(1, claimedPages <= 1);
    if (claimedPages > 1)
        mGeometry->start(path, password, 2, claimedPages);
    else
        mGeometry->stop();
}

void PreviewWindow::clearDocument()
{
    mGeometry->stop();
    mRenderer->close();
    mView->setPages({});
}

void PreviewWindow::on_InitBookmarkTool(int)
{
    // The wizard is the sender; the number it sends only tells wizards apart.
    mTool = sender();
    mSelection->clear();
    mView->setPicking(true);
    emit toolStarted();
    emit statusMessage(tr("Click a heading or drag a rectangle over it to take its font, size, colour and position."));
}

void PreviewWindow::on_KillBookmarkTool()
{
    mTool.clear();
    mSelection->clear();
    mView->setPicking(false);
    mView->clearHighlight();
    emit toolEnded();
    emit statusMessage(QString());
}

void PreviewWindow::on_ModelessActionDialogFinnished(QMap<QString, QVariant> prefs)
{
    emit settingsReceived(prefs);
}

void PreviewWindow::on_SetHeaderWidgetsEnabled(int result)
{
    emit settingsDialogClosed(result);
}

void PreviewWindow::sendSelection(int page, const TextLine& line)
{
    mView->highlight(page, line.box);
    emit lineSelected(page, line);
    if (!mTool)
        return;
    QMetaObject::invokeMethod(mTool, "on_ReceiveParameters", Qt::DirectConnection,
                              Q_ARG(PDBookmarkSelectionRec, line.selectionRecord()));
    emit statusMessage(tr("Picked \"%1\": %2, %3 pt.").arg(line.text.trimmed(), line.fontName).arg(line.size));
}
