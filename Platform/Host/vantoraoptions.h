#pragma once

#include "commandtable.h"

// The options of vantora, each declared once; the command table references
// them and the commands read their values through them.
namespace VantoraOptions {

inline const CommandOption Plugin =
    CommandOption::text("--plugin", "PATH", "the plug-in to load instead of the one beside vantora");
inline const CommandOption Password = CommandOption::text("--password", "PASSWORD", "the password of an encrypted document");
inline const CommandOption Settings =
    CommandOption::text("--settings", "FILE",
                        "the levels: a settings export, tool settings file (.tsf), favourite, "
                        "action list (.xqq) or a hand-written [BookmarksByContent] file");
inline const CommandOption Nth = CommandOption::number("--nth", "N", "a bookmark on every N-th page instead of levels");
inline const CommandOption Output = CommandOption::text("-o", "OUTPUT.pdf", "save the bookmarked document there", "--output");
inline const CommandOption InPlace = CommandOption::flag("--in-place", "replace INPUT.pdf with the bookmarked document");
inline const CommandOption KeepPartial =
    CommandOption::flag("--keep-partial", "save what the action made even when it fails");
inline const CommandOption Json = CommandOption::flag("--json", "print JSON, for tools");
inline const CommandOption Page = CommandOption::number("--page", "N", "only the records of page N");

} // namespace VantoraOptions
