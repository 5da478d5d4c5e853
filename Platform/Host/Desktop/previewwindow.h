#pragma once

#include "actionrecords.h"
#include "textline.h"

#include <QPointer>
#include <QWidget>

class BackgroundPageRenderer;
class PageGeometryReader;
class PageView;
class TextSelection;

// The document preview the plug-in's wizard sits beside. Found by the wizard
// through its object name; it receives the wizard's tool signals and, while
// the level editor is open, sends it the font, size, colour and position of
// the line the user points at.
class PreviewWindow : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewWindow(QWidget* parent = nullptr);
    ~PreviewWindow() override;

    PageView* pageView() const { return mView; }
    // Shows the first page at once; the geometry of pages 2 to `claimedPages`
    // follows from a reader, announced by pagesKnown().
    void showDocument(const QString& path, const QString& password, const QRectF& firstPage, int claimedPages);
    void clearDocument();
    // The wizard whose level editor is open, or null.
    QObject* activeTool() const { return mTool; }

public slots:
    // Called by the wizard (by these names).
    void on_InitBookmarkTool(int instance);
    void on_KillBookmarkTool();
    void on_ModelessActionDialogFinnished(QMap<QString, QVariant> prefs);
    void on_SetHeaderWidgetsEnabled(int result);

signals:
    void toolStarted();
    void toolEnded();
    void settingsReceived(const ActionPrefs& prefs);
    void settingsDialogClosed(int result);
    void lineSelected(int page, const TextLine& line);
    // How many pages the view holds; `all` once reading has ended.
    void pagesKnown(int count, bool all);
    void statusMessage(const QString& message);

private slots:
    void sendSelection(int page, const TextLine& line);

private:
    BackgroundPageRenderer* mRenderer;
    PageGeometryReader* mGeometry;
    PageView* mView;
    TextSelection* mSelection;
    QPointer<QObject> mTool;
};
