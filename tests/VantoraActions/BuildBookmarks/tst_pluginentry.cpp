// The plug-in as a host meets it: its metadata read from the file, the single
// action object behind qt_plugin_instance, the casts the host relies on, the
// descriptors, and the symbols the file exports.
#include "actioninterface.h"
#include "dynamicsymbols.h"

#include <QJsonObject>
#include <QLibrary>
#include <QPluginLoader>
#include <QPointer>
#include <QtTest>

#include <algorithm>

namespace {

QString PluginFile()
{
    return qEnvironmentVariable("VANTORA_BIN_DIR") + QStringLiteral("/libBuildBookmarks.so");
}

} // namespace

class TestPluginEntry : public QObject
{
    Q_OBJECT

private slots:
    // First: it needs the plug-in not yet loaded.
    void metadataIsReadWithoutLoading()
    {
        QPluginLoader loader(PluginFile());
        QCOMPARE(loader.metaData(), (QJsonObject{{"IID", "org.ombrel.vantora.buildbookmarks"},
                                                 {"className", "CBuildBookmarks"},
                                                 {"version", 328450},
                                                 {"debug", false},
                                                 {"MetaData", QJsonObject()}}));
        QVERIFY(!loader.isLoaded());
    }

    void instanceIsSingleUntilDeleted()
    {
        QPluginLoader loader(PluginFile());
        QObject* first = loader.instance();
        QVERIFY2(first, qPrintable(loader.errorString()));
        QCOMPARE(loader.instance(), first);
        QLibrary plugin(PluginFile());
        const auto pluginInstance = reinterpret_cast<QObject* (*)()>(plugin.resolve("qt_plugin_instance"));
        QVERIFY(pluginInstance);
        QCOMPARE(pluginInstance(), first);

        // The allocator may hand the new object the old address; the marker
        // tells the two apart.
        first->setProperty("marker", true);
        QPointer<QObject> watch(first);
        delete first;
        QVERIFY(watch.isNull());
        QObject* second = pluginInstance();
        QVERIFY(second && !second->property("marker").isValid());
        QCOMPARE(pluginInstance(), second);
        QCOMPARE(loader.instance(), second);
    }

    void metaCastFindsTheInterface()
    {
        QPluginLoader loader(PluginFile());
        QObject* object = loader.instance();
        QVERIFY2(object, qPrintable(loader.errorString()));
        // QObject is the primary base and CActionInterface follows it.
        void* interface = reinterpret_cast<char*>(object) + sizeof(QObject);
        QCOMPARE(object->qt_metacast("CActionInterface"), interface);
        QCOMPARE(object->qt_metacast("com.Ombrel.Vantora.ActionInterface_1.0"), interface);
        QCOMPARE(object->qt_metacast("CBuildBookmarks"), static_cast<void*>(object));
        QCOMPARE(object->qt_metacast("QWidget"), nullptr);
        QCOMPARE(static_cast<void*>(qobject_cast<CActionInterface*>(object)), interface);
    }

    void descriptors()
    {
        QPluginLoader loader(PluginFile());
        CActionInterface* action = qobject_cast<CActionInterface*>(loader.instance());
        QVERIFY2(action, qPrintable(loader.errorString()));
        QCOMPARE(loader.instance()->metaObject()->className(), "CBuildBookmarks");
        QCOMPARE(QStringList({action->GetActionName(), action->GetDisplayName(), action->GetActionHelp(),
                              action->GetGroupName(), action->GetDefaultIcon()}),
                 QStringList({"Bookmarks by Content", "Bookmarks by Content", "Action_BuilsBookmarks.html", "Bookmarks",
                              "Action_BuildBookmarks.png#Action_BuildBookmarks_Selected.png"
                              "#Action_BuildBookmarks_Disabled.png"}));
        QCOMPARE(action->GetActionFlags(), 79);
        // The sequence procedures answer 1 and never read the record.
        QCOMPARE(action->PreSequenceProc(nullptr), 1);
        QCOMPARE(action->PostSequenceProc(nullptr), 1);
    }

    void exportsOnlyThePluginEntries()
    {
        QString error;
        QStringList symbols = DefinedDynamicSymbols(PluginFile(), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    #ifdef __SANITIZE_ADDRESS__
        // The sanitizers' vptr checks make the plug-in carry Qt's type
        // information as exported weak objects; they are no entry points.
        symbols.erase(std::remove_if(symbols.begin(), symbols.end(),
                                     [](const QString& name) {
                                         return name.startsWith("_ZTI") || name.startsWith("_ZTS");
                                     }),
                      symbols.end());
    #endif
        symbols.sort();
        QCOMPARE(symbols, QStringList({"qt_plugin_instance", "qt_plugin_query_metadata"}));
    }
};

QTEST_GUILESS_MAIN(TestPluginEntry)
#include "tst_pluginentry.moc"
