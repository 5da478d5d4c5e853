#pragma once

#include "textline.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QString>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

// Renders pages and reads their text on a thread of its own, with a library
// instance of its own that loads the same file, so the window never waits for
// a page. Only the latest wish list of pages is worked through: pages that
// scrolled away are never rendered.
class BackgroundPageRenderer : public QObject
{
    Q_OBJECT

public:
    explicit BackgroundPageRenderer(QObject* parent = nullptr);
    ~BackgroundPageRenderer() override;

    // Loads the file into the renderer's own instance; results for the file
    // before are dropped from here on.
    void open(const QString& path, const QString& password);
    void close();

    // Replaces the pages still waiting to be rendered.
    void render(const QList<int>& pages, double dpi);
    void requestText(int page);

signals:
    void pageRendered(int page, double dpi, const QImage& image);
    void textReady(int page, const QList<TextLine>& lines);
    void documentChanged();
    void renderFailed(int page, const QString& message);

private:
    struct Document;

    void work();
    // Delivers on the GUI thread, unless the document changed meanwhile.
    template <typename Deliver>
    void deliver(quint64 generation, Deliver&& what);

    std::mutex mLock;
    std::condition_variable mWake;
    bool mStopping = false;
    quint64 mGeneration = 0; // the document the queues below belong to
    QString mPath;
    QString mPassword;
    bool mReload = false;
    std::deque<int> mRenders;
    double mDpi = 72;
    std::deque<int> mTexts;
    std::thread mThread;
};
