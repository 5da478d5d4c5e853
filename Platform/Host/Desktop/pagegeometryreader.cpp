#include "pagegeometryreader.h"

#include "opendocument.h"
#include "pagegeometry.h"
#include "pdflibrarybinding.h"

#include <QElapsedTimer>

#include <memory>

namespace {

// Enough pages in a row that do not load mean the rest are not there.
const int MissingRunAtEnd = 64;
// A batch goes out when it is this big or this old.
const int BatchPages = 500;
const qint64 BatchMilliseconds = 100;

} // namespace

PageGeometryReader::PageGeometryReader(QObject* parent)
    : QObject(parent)
{
    qRegisterMetaType<QVector<QRectF>>();
}

PageGeometryReader::~PageGeometryReader()
{
    stop();
}

void PageGeometryReader::start(const QString& path, const QString& password, int from, int claimed)
{
    stop();
    const quint64 generation = ++mGeneration;
    mStopping = false;
    mThread = std::thread([=] { read(generation, path, password, from, claimed); });
}

void PageGeometryReader::stop()
{
    mStopping = true;
    ++mGeneration;
    if (mThread.joinable())
        mThread.join();
}

template <typename Deliver>
void PageGeometryReader::deliver(quint64 generation, Deliver&& what)
{
    QMetaObject::invokeMethod(
        this,
        [this, generation, what = std::forward<Deliver>(what)] {
            if (generation == mGeneration)
                what();
        },
        Qt::QueuedConnection);
}

void PageGeometryReader::read(quint64 generation, const QString& path, const QString& password, int from, int claimed)
{
    OmbrelPDFLibraryCPDylibCPP1311 library(OpenDocument::libraryPath().toStdWString());
    if (!library.LibraryLoaded() || library.LoadFromFile(path.toStdWString(), password.toStdWString()) == 0) {
        deliver(generation, [this] { emit finished(); });
        return;
    }
    QVector<QRectF> batch;
    int missing = 0;
    QElapsedTimer age;
    age.start();
    for (int page = from; page <= claimed && missing < MissingRunAtEnd && !mStopping; ++page) {
        const QRectF box = PageGeometry::read(library, page);
        if (box.isEmpty()) {
            ++missing;
            continue;
        }
        // A page that did not load between two that did keeps its place.
        for (; missing > 0; --missing)
            batch << PageGeometry::placeholder();
        batch << box;
        if (batch.size() >= BatchPages || age.elapsed() >= BatchMilliseconds) {
            deliver(generation, [this, batch] { emit pagesRead(batch); });
            batch.clear();
            age.restart();
        }
    }
    if (!batch.isEmpty())
        deliver(generation, [this, batch] { emit pagesRead(batch); });
    deliver(generation, [this] { emit finished(); });
}
