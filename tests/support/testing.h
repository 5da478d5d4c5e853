#pragma once

// What most tests share: the build's output folder, a throw-away home for
// everything the code remembers per user, and whole-file reads and writes.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// A file in the build's output folder: the plug-in, the library, the host.
inline QString BinFile(const QString& name)
{
    return QDir(qEnvironmentVariable("VANTORA_BIN_DIR")).filePath(name);
}

// Points every per-user location into `home`, emptied first.
inline void UseHome(const QString& home)
{
    QDir(home).removeRecursively();
    QDir().mkpath(home);
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_DATA_HOME", (home + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (home + "/config").toUtf8());
}

inline QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<absent>");
}

// A file the test cannot write is a broken test, not a failure.
inline void WriteFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
}

// main() of a test that opens the code's dialogs: whatever they remember goes
// to a throw-away home, and Qt's own file dialogs are used so the test can
// answer them.
#define VANTORA_DIALOG_TEST_MAIN(TestClass)                   \
    int main(int argc, char** argv)                           \
    {                                                         \
        QTemporaryDir home;                                   \
        UseHome(home.path());                                 \
        QApplication app(argc, argv);                         \
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); \
        TestClass test;                                       \
        return QTest::qExec(&test, argc, argv);               \
    }
