#pragma once

#include <QString>

// The reference of every key a hand-written settings file takes, as Markdown,
// made from the key table so that the two cannot disagree.
namespace SettingsReference {

QString Markdown();

} // namespace SettingsReference
