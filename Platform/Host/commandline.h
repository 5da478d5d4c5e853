#pragma once

#include <QString>
#include <QStringList>

// What the user asked for, after the command line was checked.
struct HostOptions
{
    enum class Command { Info, Run, Outline, Text, Fonts, Help };

    Command command = Command::Help;
    QString pluginPath;      // empty: the plug-in beside the executable
    QString input;
    QString output;
    bool inPlace = false;
    QString settingsPath;
    int nthPage = 0;         // 0: not given
    QString password;
    bool keepPartial = false;
    int page = 0;            // 0: every page
    bool json = false;
};

// Turns the arguments (without the program name) into HostOptions; a mistake
// throws a usage HostError naming it.
class CommandLine
{
public:
    static HostOptions parse(const QStringList& arguments);
    static QString usage();
};
