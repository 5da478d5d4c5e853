// The binding as the host and the plug-in share it: how it opens the library,
// what it answers when that fails, how strings cross into the library and
// back, and where its fields lie in memory.
#include "pdflibrarybinding.h"
#include "probelibrary.h"

#include <QtTest>

#include <dlfcn.h>

#include <cstring>
#include <memory>

// The binding is linked into this executable, so its calls of dlclose come
// here first: a count tells whether destruction closed the library.
namespace {
int gDlcloseCalls = 0;
}

extern "C" int dlclose(void* handle)
{
    ++gDlcloseCalls;
    static const auto next = reinterpret_cast<int (*)(void*)>(dlsym(RTLD_NEXT, "dlclose"));
    return next(handle);
}

namespace {

using Binding = OmbrelPDFLibraryCPDylibCPP1311;

std::wstring Wide(const char* path)
{
    return QString::fromLocal8Bit(path).toStdWString();
}

// The fields of a binding, read the way the other side of the contract does:
// from raw memory at the shared offsets.
struct RawFields
{
    explicit RawFields(const Binding& binding)
        : bytes(reinterpret_cast<const unsigned char*>(&binding))
    {
    }
    void* Handle() const { return Read<void*>(0); }
    qint32 InstanceID() const { return Read<qint32>(8); }
    unsigned char Missing() const { return bytes[12]; }
    void* Slot(int index) const { return Read<void*>(16 + 8 * static_cast<std::size_t>(index)); }

    template <typename T>
    T Read(std::size_t offset) const
    {
        T value;
        std::memcpy(&value, bytes + offset, sizeof value);
        return value;
    }
    const unsigned char* bytes;
};

int SlotOf(const char* name)
{
    for (int i = 0; i < Binding::EntryPointCount; ++i) {
        if (std::strcmp(Binding::EntryPointNames[i], name) == 0)
            return i;
    }
    return -1;
}

// Keeps a probe library open for the test, so its record outlives the
// binding under test; the binding's own dlopen gets the same handle.
class OpenProbe
{
public:
    explicit OpenProbe(const char* path)
        : mHandle(dlopen(path, RTLD_NOW | RTLD_LOCAL))
    {
        if (mHandle) {
            mRecord = reinterpret_cast<ProbeStateFn>(dlsym(mHandle, ProbeStateSymbol))();
            *mRecord = ProbeRecord();
        }
    }
    ~OpenProbe()
    {
        if (mHandle)
            dlclose(mHandle);
    }
    void* Handle() const { return mHandle; }
    ProbeRecord& Record() const { return *mRecord; }

private:
    void* mHandle;
    ProbeRecord* mRecord = nullptr;
};

} // namespace

class TestPDFLibraryBinding : public QObject
{
    Q_OBJECT

private slots:
    void entryPointTableIsInByteOrder();

    void missingFileAnswersNeutrallyAndClosesNothing();
    void missingEntryPointDisablesEveryMember();
    void goodLibraryIsReleasedAndClosed();
    void fieldsLieAtTheSharedOffsets();
    void wideNameIsCutToLowBytes();

    void emptyTitleReachesLibraryAsNull();
    void wideTextRoundTrip_data();
    void wideTextRoundTrip();
    void byteArgumentsAreReleasedWideOnesAreNot();
};

void TestPDFLibraryBinding::entryPointTableIsInByteOrder()
{
    QCOMPARE(Binding::EntryPointCount, 857);
    QCOMPARE(Binding::EntryPointNames[0], "ULRAddArcToPath");
    QCOMPARE(Binding::EntryPointNames[Binding::EntryPointCount - 1], "ULRVisibleOutlineCount");
    for (int i = 1; i < Binding::EntryPointCount; ++i) {
        if (std::strcmp(Binding::EntryPointNames[i - 1], Binding::EntryPointNames[i]) >= 0)
            QFAIL(qPrintable(QStringLiteral("%1 is not before %2")
                                 .arg(Binding::EntryPointNames[i - 1], Binding::EntryPointNames[i])));
    }
    QVERIFY(SlotOf("ULRAddRGBSeparationColor") < SlotOf("ULRAddRelativeLinkToFile"));
}

void TestPDFLibraryBinding::missingFileAnswersNeutrallyAndClosesNothing()
{
    gDlcloseCalls = 0;
    {
        Binding binding(L"/nonexistent/OmbrelPDFLibraryCPDylib1311.dylib");
        QVERIFY(!binding.LibraryLoaded());
        QCOMPARE(binding.PageCount(), 0);
        QCOMPARE(binding.GetPageText(3), std::wstring());
        const RawFields raw(binding);
        QCOMPARE(raw.Handle(), nullptr);
        QCOMPARE(raw.InstanceID(), 0);
        QCOMPARE(raw.Missing(), 1);
        QCOMPARE(raw.Slot(SlotOf("ULRPageCount")), nullptr);
    }
    QCOMPARE(gDlcloseCalls, 0);
}

void TestPDFLibraryBinding::missingEntryPointDisablesEveryMember()
{
    OpenProbe probe(PROBE_MISSING_ONE);
    QVERIFY(probe.Handle());
    gDlcloseCalls = 0;
    {
        Binding binding(Wide(PROBE_MISSING_ONE));
        QVERIFY(!binding.LibraryLoaded());
        QCOMPARE(probe.Record().createLibraryCalls, 0);

        // Every name is still looked up after the missing one.
        const RawFields raw(binding);
        QCOMPARE(raw.Slot(SlotOf("ULRLoadFromFile")), nullptr);
        QVERIFY(raw.Slot(SlotOf("ULRPageCount")));
        QVERIFY(raw.Slot(SlotOf("ULRUseUnsafeContentStreams")));

        QCOMPARE(binding.PageCount(), 0);
        QCOMPARE(binding.GetPageBox(1, 0), 0.0);
        QCOMPARE(binding.GetPageText(3), std::wstring());
        QCOMPARE(binding.NewOutline(0, L"Title", 1, 0.0), 0);
        QCOMPARE(binding.AddImageFromString("bytes", 0), 0);
        QCOMPARE(binding.SaveToString(), std::string());
        QCOMPARE(probe.Record().memberCalls, 0);
        QVERIFY(probe.Record().buffersMade.empty());
    }
    QCOMPARE(probe.Record().releaseLibraryCalls, 0);
    QCOMPARE(gDlcloseCalls, 1);
}

void TestPDFLibraryBinding::goodLibraryIsReleasedAndClosed()
{
    OpenProbe probe(PROBE_LIBRARY);
    QVERIFY(probe.Handle());
    gDlcloseCalls = 0;
    {
        Binding binding(Wide(PROBE_LIBRARY));
        QVERIFY(binding.LibraryLoaded());
        QCOMPARE(probe.Record().createLibraryCalls, 1);
        QCOMPARE(binding.PageCount(), 42);
        QCOMPARE(binding.GetPageBox(1, 0), 1.5);
        QCOMPARE(binding.GetPageText(3), std::wstring(L"probe"));
        QCOMPARE(binding.SaveToString(), std::string("%PDF\0\xff", 6));
    }
    QCOMPARE(probe.Record().releaseLibraryCalls, 1);
    QCOMPARE(probe.Record().releasedInstance, ProbeInstanceID);
    QCOMPARE(gDlcloseCalls, 1);
}

void TestPDFLibraryBinding::fieldsLieAtTheSharedOffsets()
{
    OpenProbe probe(PROBE_LIBRARY);
    Binding binding(Wide(PROBE_LIBRARY));
    const RawFields raw(binding);

    QCOMPARE(raw.Handle(), probe.Handle());
    QCOMPARE(raw.InstanceID(), ProbeInstanceID);
    QCOMPARE(raw.Missing(), 0);
    for (int i = 0; i < Binding::EntryPointCount; ++i)
        QCOMPARE(raw.Slot(i), dlsym(probe.Handle(), Binding::EntryPointNames[i]));
}

void TestPDFLibraryBinding::wideNameIsCutToLowBytes()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // U+0141 and U+1F642 end in the bytes of 'A' and 'B'.
    QVERIFY(QFile::copy(QString::fromLocal8Bit(PROBE_LIBRARY), dir.filePath("probe-AB.so")));
    const std::wstring wideName = dir.path().toStdWString() + L"/probe-\u0141\U0001F642.so";

    Binding binding(wideName);

    QVERIFY(binding.LibraryLoaded());
    QCOMPARE(binding.PageCount(), 42);
}

void TestPDFLibraryBinding::emptyTitleReachesLibraryAsNull()
{
    OpenProbe probe(PROBE_LIBRARY);
    Binding binding(Wide(PROBE_LIBRARY));

    QCOMPARE(binding.NewOutline(0, std::wstring(), 1, 0.0), 7);
    QCOMPARE(probe.Record().lastTitlePointer, nullptr);
    QVERIFY(probe.Record().buffersMade.empty());

    binding.NewOutline(0, L"x", 1, 0.0);
    QCOMPARE(probe.Record().buffersMade.size(), std::size_t(1));
    QCOMPARE(static_cast<const void*>(probe.Record().lastTitlePointer),
             static_cast<const void*>(probe.Record().buffersMade.front()));
}

void TestPDFLibraryBinding::wideTextRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("ASCII") << QStringLiteral("Chapter 1");
    QTest::newRow("Latin and Greek") << QStringLiteral("K\u00e4se \u03a9");
    QTest::newRow("outside the Basic Multilingual Plane")
        << QString::fromUcs4(U"Clef \U0001D11E and \U0001F600");
    QTest::newRow("embedded zero") << QString::fromUtf16(u"a\0b", 3);
}

void TestPDFLibraryBinding::wideTextRoundTrip()
{
    QFETCH(QString, text);
    OpenProbe probe(PROBE_LIBRARY);
    Binding binding(Wide(PROBE_LIBRARY));

    binding.NewOutline(0, text.toStdWString(), 1, 0.0);
    const QVector<uint> units = text.toUcs4();
    QCOMPARE(probe.Record().lastTitle,
             std::wstring(units.begin(), units.end()));

    const std::wstring back = binding.OutlineTitle(7);
    QCOMPARE(QString::fromUcs4(reinterpret_cast<const uint*>(back.data()), static_cast<int>(back.size())),
             text);
}

void TestPDFLibraryBinding::byteArgumentsAreReleasedWideOnesAreNot()
{
    OpenProbe probe(PROBE_LIBRARY);
    Binding binding(Wide(PROBE_LIBRARY));
    const ProbeRecord& record = probe.Record();

    binding.AddImageFromString(std::string("a\0b", 3), 0);
    QCOMPARE(record.lastBytes, std::string("a\0b", 3));
    QCOMPARE(record.buffersMade.size(), std::size_t(1));
    QCOMPARE(record.buffersReleased, record.buffersMade);

    binding.NewOutline(0, L"kept by the library", 1, 0.0);
    QCOMPARE(record.buffersMade.size(), std::size_t(2));
    QCOMPARE(record.buffersReleased.size(), std::size_t(1));
}

QTEST_GUILESS_MAIN(TestPDFLibraryBinding)
#include "tst_pdflibrarybinding.moc"
