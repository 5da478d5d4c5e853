#pragma once

#include <QIcon>
#include <QString>

// The window icon of the action's dialogs, from the action's icon names
// "normal#selected#disabled", images among the host's tool resources. A missing part leaves its modes empty.
class CActionWindowIcon
{
public:
    CActionWindowIcon() = delete;

    static QIcon FromIconNames(const QString& names);
};
