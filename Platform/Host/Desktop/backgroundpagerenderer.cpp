#include "backgroundpagerenderer.h"

#include "opendocument.h"
#include "pdflibrarybinding.h"

#include <QFileInfo>
#include <QPointer>

#include <memory>

namespace {

QString FromWide(const std::wstring& text)
{
    return QString::fromUcs4(reinterpret_cast<const uint*>(text.data()), static_cast<int>(text.size()));
}

} // namespace

BackgroundPageRenderer::BackgroundPageRenderer(QObject* parent)
    : QObject(parent)
{
    qRegisterMetaType<TextLine>();
    qRegisterMetaType<QList<TextLine>>();
    mThread = std::thread([this] { work(); });
}

BackgroundPageRenderer::~BackgroundPageRenderer()
{
    {
        std::lock_guard<std::mutex> guard(mLock);
        mStopping = true;
    }
    mWake.notify_all();
    mThread.join();
}

void BackgroundPageRenderer::open(const QString& path, const QString& password)
{
    {
        std::lock_guard<std::mutex> guard(mLock);
        ++mGeneration;
        mPath = QFileInfo(path).absoluteFilePath();
        mPassword = password;
        mReload = true;
        mRenders.clear();
        mTexts.clear();
    }
    mWake.notify_all();
    emit documentChanged();
}

void BackgroundPageRenderer::close()
{
    open(QString(), QString());
}

void BackgroundPageRenderer::render(const QList<int>& pages, double dpi)
{
    {
        std::lock_guard<std::mutex> guard(mLock);
        mRenders.assign(pages.cbegin(), pages.cend());
        mDpi = dpi;
    }
    mWake.notify_all();
}

void BackgroundPageRenderer::requestText(int page)
{
    {
        std::lock_guard<std::mutex> guard(mLock);
        mTexts.push_back(page);
    }
    mWake.notify_all();
}

template <typename Deliver>
void BackgroundPageRenderer::deliver(quint64 generation, Deliver&& what)
{
    // Queued to this object: if it is destroyed first, the call is dropped.
    QMetaObject::invokeMethod(
        this,
        [this, generation, what = std::forward<Deliver>(what)] {
            bool current;
            {
                std::lock_guard<std::mutex> guard(mLock);
                current = generation == mGeneration;
            }
            if (current)
                what();
        },
        Qt::QueuedConnection);
}

void BackgroundPageRenderer::work()
{
    std::unique_ptr<OmbrelPDFLibraryCPDylibCPP1311> library;
    bool loaded = false;
    for (;;) {
        std::unique_lock<std::mutex> guard(mLock);
        mWake.wait(guard, [this, loaded] { return mStopping || mReload || !mTexts.empty() || (loaded && !mRenders.empty()); });
        if (mStopping)
            return;
        const quint64 generation = mGeneration;

        if (mReload) {
            mReload = false;
            const QString path = mPath;
            const QString password = mPassword;
            guard.unlock();
            loaded = false;
            if (path.isEmpty()) {
                library.reset();
                continue;
            }
            if (!library)
                library = std::make_unique<OmbrelPDFLibraryCPDylibCPP1311>(OpenDocument::libraryPath().toStdWString());
            loaded = library->LibraryLoaded()
                && library->LoadFromFile(path.toStdWString(), password.toStdWString()) != 0;
            continue;
        }

        // Text first: a user who selected something is waiting for it.
        if (!mTexts.empty()) {
            const int page = mTexts.front();
            mTexts.pop_front();
            guard.unlock();
            QList<TextLine> lines;
            if (loaded) {
                library->SelectPage(page);
                library->SetTextExtractionOptions(1, 0);
                lines = TextLine::fromPageText(FromWide(library->GetPageText(3)));
            }
            deliver(generation, [this, page, lines] { emit textReady(page, lines); });
            continue;
        }

        const int page = mRenders.front();
        mRenders.pop_front();
        const double dpi = mDpi;
        guard.unlock();
        const std::string png = library->RenderPageToString(dpi, page, 0);
        const QImage image = QImage::fromData(reinterpret_cast<const uchar*>(png.data()), static_cast<int>(png.size()), "PNG");
        if (image.isNull())
            deliver(generation, [this, page] { emit renderFailed(page, QStringLiteral("Page %1 could not be rendered.").arg(page)); });
        else
            deliver(generation, [this, page, dpi, image] { emit pageRendered(page, dpi, image); });
    }
}
