#pragma once

#include <QString>

// The names users give action lists and favourites become file names inside
// one folder. A name that would lead out of that folder, or that a file
// system refuses, is turned down with a reason short enough to show under
// the name field.
class CStoredFileName
{
public:
    CStoredFileName() = delete;

    // Empty when the name can be stored with the given suffix (".xqq",
    // ".ini"); otherwise a sentence saying why not. An empty name is
    // acceptable here: the writers have defaults for it.
    static QString Problem(const QString& name, const QString& suffix);

    // True when the name holds no character but white space.
    static bool IsBlank(const QString& name);
};
