#include "commandtable.h"

bool CommandEntry::takes(const QString& optionName) const
{
    for (const OptionSlot& slot : options) {
        for (const CommandOption* option : slot.choices) {
            if (option->name == optionName)
                return true;
        }
    }
    return false;
}

const CommandEntry* CommandTable::find(const QString& name) const
{
    for (const CommandEntry& command : commands) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

QList<const CommandEntry*> CommandTable::group(const QString& name) const
{
    QList<const CommandEntry*> members;
    for (const CommandEntry& command : commands) {
        if (command.name.startsWith(name + QLatin1Char(' ')))
            members << &command;
    }
    return members;
}

const CommandOption* CommandTable::option(const QString& spelling) const
{
    for (const CommandOption* option : everyCommandOptions) {
        if (option->isCalled(spelling))
            return option;
    }
    for (const CommandEntry& command : commands) {
        for (const OptionSlot& slot : command.options) {
            for (const CommandOption* option : slot.choices) {
                if (option->isCalled(spelling))
                    return option;
            }
        }
    }
    return nullptr;
}
