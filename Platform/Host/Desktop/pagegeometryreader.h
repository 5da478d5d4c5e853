#pragma once

#include <QObject>
#include <QRectF>
#include <QVector>

#include <atomic>
#include <thread>

// Reads the pages' crop boxes on a thread of its own, with a library
// instance of its own, and hands them over a batch at a time, so that a
// document of any length shows at once. The count a file claims is not
// trusted: reading ends after the last page that loads.
class PageGeometryReader : public QObject
{
    Q_OBJECT

public:
    explicit PageGeometryReader(QObject* parent = nullptr);
    ~PageGeometryReader() override;

    // Reads pages `from` to `claimed` of the file; a reading under way stops
    // and nothing more of it arrives.
    void start(const QString& path, const QString& password, int from, int claimed);
    void stop();

signals:
    // The next pages in order, starting at `from`.
    void pagesRead(const QVector<QRectF>& pages);
    void finished();

private:
    void read(quint64 generation, const QString& path, const QString& password, int from, int claimed);
    // Queued to the GUI thread; dropped when a newer reading started.
    template <typename Deliver>
    void deliver(quint64 generation, Deliver&& what);

    std::atomic<bool> mStopping{false};
    std::atomic<quint64> mGeneration{0};
    std::thread mThread;
};
