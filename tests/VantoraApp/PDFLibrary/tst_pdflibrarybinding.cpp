// The binding as the host and the plug-in share it: how it opens the library,
// what it answers when that fails, how strings cross into the library and
// back, and where its fields lie in memory.
#include "pdflibrarybinding.h"
#include "probelibrary.h"

#include <QtTest>

#include <dlfcn.h>

#include <algorithm>
#include <cstring>

// The binding is linked into this executable, so its calls of dlclose come
// here first: a count tells whether destruction closed the library.
static int gDlcloseCalls = 0;

extern "C" int dlclose(void* handle)
{
    ++gDlcloseCalls;
    static const auto next = reinterpret_cast<int (*)(void*)>(dlsym(RTLD_NEXT, "dlclose"));
    return next(handle);
}

namespace {

using Binding = OmbrelPDFLibraryCPDylibCPP1311;
using Layout = PDFLibraryBindingLayout;

// A field read the way the other side of the contract reads it: from raw
// memory at the shared offset.
template <typename T>
T field(const Binding& binding, std::size_t offset)
{
    T value;
    std::memcpy(&value, reinterpret_cast<const unsigned char*>(&binding) + offset, sizeof value);
    return value;
}

void* slot(const Binding& binding, const char* name)
{
    const auto names = Binding::EntryPointNames;
    const auto at = std::find_if(names, names + Binding::EntryPointCount, [&](const char* n) { return !std::strcmp(n, name); });
    return field<void*>(binding, Layout::Slots + 8 * std::size_t(at - names));
}

std::wstring wide(const char* path) { return QString::fromLocal8Bit(path).toStdWString(); }

// Opens a probe library for the rest of the run, so its record outlives the
// binding under test, and clears the record; the binding's own dlopen gets
// the same handle.
ProbeRecord* FreshProbe(const char* path)
{
    void* handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    ProbeRecord* record = handle ? reinterpret_cast<ProbeStateFn>(dlsym(handle, ProbeStateSymbol))() : nullptr;
    if (record)
        *record = ProbeRecord();
    return record;
}

} // namespace

class TestPDFLibraryBinding : public QObject
{
    Q_OBJECT

private slots:
    void entryPointsInByteOrder()
    {
        // The slots follow the names in byte order: "ULRAddRGB..." before "ULRAddRe...".
        const auto names = Binding::EntryPointNames;
        QVERIFY(std::is_sorted(names, names + Binding::EntryPointCount,
                               [](const char* a, const char* b) { return std::strcmp(a, b) < 0; }));
    }

    void missingFileAnswersNeutrallyAndClosesNothing()
    {
        gDlcloseCalls = 0;
        {
            Binding binding(L"/nonexistent/OmbrelPDFLibraryCPDylib1311.dylib");
            QVERIFY(!binding.LibraryLoaded());
            QCOMPARE(field<void*>(binding, Layout::Handle), nullptr);
            QCOMPARE(field<qint32>(binding, Layout::InstanceID), 0);
            QCOMPARE(field<bool>(binding, Layout::Missing), true);
        }
        QCOMPARE(gDlcloseCalls, 0);
    }

    void missingEntryPointDisablesEveryMember()
    {
        ProbeRecord* const probe = FreshProbe(PROBE_MISSING_ONE);
        QVERIFY(probe);
        gDlcloseCalls = 0;
        {
            Binding binding(wide(PROBE_MISSING_ONE));
            QVERIFY(!binding.LibraryLoaded());
            // Every name is still looked up after the missing one.
            QCOMPARE(slot(binding, "ULRLoadFromFile"), nullptr);
            QVERIFY(slot(binding, "ULRPageCount") && slot(binding, "ULRUseUnsafeContentStreams"));
            QCOMPARE(binding.GetPageBox(1, 0), 0.0);
            QCOMPARE(binding.GetPageText(3), std::wstring());
            QCOMPARE(binding.NewOutline(0, L"Title", 1, 0.0), 0);
            QCOMPARE(binding.AddImageFromString("bytes", 0), 0);
        }
        QCOMPARE(probe->createLibraryCalls + probe->releaseLibraryCalls, 0);
        QVERIFY(probe->buffersMade.empty());
        QCOMPARE(gDlcloseCalls, 1);
    }

    void goodLibraryLiesAtTheSharedOffsetsAndIsReleased()
    {
        ProbeRecord* const probe = FreshProbe(PROBE_LIBRARY);
        QVERIFY(probe);
        void* const handle = dlopen(PROBE_LIBRARY, RTLD_NOW | RTLD_NOLOAD);
        gDlcloseCalls = 0;
        {
            Binding binding(wide(PROBE_LIBRARY));
            QVERIFY(binding.LibraryLoaded());
            QCOMPARE(probe->createLibraryCalls, 1);
            QCOMPARE(field<void*>(binding, Layout::Handle), handle);
            QCOMPARE(field<qint32>(binding, Layout::InstanceID), ProbeInstanceID);
            QCOMPARE(field<bool>(binding, Layout::Missing), false);
            for (const char* name : Binding::EntryPointNames)
                QCOMPARE(slot(binding, name), dlsym(handle, name));
            QCOMPARE(binding.PageCount(), 42);
            QCOMPARE(binding.GetPageBox(1, 0), 1.5);
            QCOMPARE(binding.GetPageText(3), std::wstring(L"probe"));
            QCOMPARE(binding.SaveToString(), std::string("%PDF\0\xff", 6));
        }
        QCOMPARE(probe->releaseLibraryCalls, 1);
        QCOMPARE(probe->releasedInstance, ProbeInstanceID);
        QCOMPARE(gDlcloseCalls, 1);
    }

    void wideNameIsCutToLowBytes()
    {
        QTemporaryDir dir;
        // U+0141 and U+1F642 end in the bytes of 'A' and 'B'.
        QVERIFY(QFile::copy(QString::fromLocal8Bit(PROBE_LIBRARY), dir.filePath("probe-AB.so")));
        Binding binding(dir.path().toStdWString() + L"/probe-\u0141\U0001F642.so");
        QCOMPARE(binding.PageCount(), 42);
    }

    // Wide text crosses as UCS-4 both ways, whole, embedded zero and all.
    void wideTextRoundTrip()
    {
        const QString text = QString::fromUcs4(U"K\u00e4se \U0001D11E\0b", 8);
        ProbeRecord* const probe = FreshProbe(PROBE_LIBRARY);
        Binding binding(wide(PROBE_LIBRARY));
        binding.NewOutline(0, text.toStdWString(), 1, 0.0);
        const QVector<uint> units = text.toUcs4();
        QCOMPARE(probe->lastTitle, std::wstring(units.begin(), units.end()));
        const std::wstring back = binding.OutlineTitle(7);
        QCOMPARE(QString::fromUcs4(reinterpret_cast<const uint*>(back.data()), int(back.size())), text);
    }

    void argumentBuffers()
    {
        const ProbeRecord& record = *FreshProbe(PROBE_LIBRARY);
        Binding binding(wide(PROBE_LIBRARY));
        // An empty wide string reaches the library as null, in no buffer.
        QCOMPARE(binding.NewOutline(0, std::wstring(), 1, 0.0), 7);
        QCOMPARE(record.lastTitlePointer, nullptr);
        QVERIFY(record.buffersMade.empty());
        // Byte arguments are released after the call; wide ones the library keeps.
        binding.AddImageFromString(std::string("a\0b", 3), 0);
        QCOMPARE(record.lastBytes, std::string("a\0b", 3));
        binding.NewOutline(0, L"kept by the library", 1, 0.0);
        QCOMPARE(record.buffersMade.size(), std::size_t(2));
        QCOMPARE(record.buffersReleased, std::vector<const char*>{record.buffersMade[0]});
        QCOMPARE(static_cast<const void*>(record.lastTitlePointer), static_cast<const void*>(record.buffersMade[1]));
    }
};

QTEST_GUILESS_MAIN(TestPDFLibraryBinding)
#include "tst_pdflibrarybinding.moc"
