#pragma once

#include <QStringList>

struct DocumentLines;
struct LevelFit;

// Why a level has its checks, in words for the comment above it: its look
// and first titles, what its checks keep out, the titles that wrap.
namespace LevelReasons {

QStringList of(const DocumentLines& document, const LevelFit& fit);

} // namespace LevelReasons
