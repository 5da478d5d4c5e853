#pragma once

#include <QProcess>
#include <QStringList>

// The symbols a shared object defines in its dynamic symbol table, as
// `nm -D --defined-only` lists them, without the section markers the linker
// adds to every object that has no version script (__bss_start, _edata, _end).
// On failure the list is empty and `error` says why.
inline QStringList DefinedDynamicSymbols(const QString& file, QString* error)
{
    QProcess nm;
    nm.start(QStringLiteral("nm"), {QStringLiteral("-D"), QStringLiteral("--defined-only"), file});
    if (!nm.waitForFinished(60000) || nm.exitStatus() != QProcess::NormalExit || nm.exitCode() != 0) {
        *error = QStringLiteral("nm failed on %1: %2 %3")
                     .arg(file, nm.errorString(), QString::fromLocal8Bit(nm.readAllStandardError()));
        return {};
    }
    const QStringList linkerMarkers = {QStringLiteral("__bss_start"), QStringLiteral("_edata"),
                                       QStringLiteral("_end")};
    QStringList names;
    const QStringList lines = QString::fromLocal8Bit(nm.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QString name = line.section(' ', -1);
        if (!linkerMarkers.contains(name))
            names << name;
    }
    return names;
}
