#pragma once

#include "commandtable.h"

// The help made from a command table: the overview for --help, which fits
// one screen, and each command's own help listing every option it takes.
class CommandHelp
{
public:
    explicit CommandHelp(const CommandTable& table) : mTable(table) {}

    // No topics: the overview.
    QString text(const QList<const CommandEntry*>& topics) const;
    QString overview() const;
    QString command(const CommandEntry& command) const;

private:
    QString usage(const CommandEntry& command) const;

    const CommandTable& mTable;
};
