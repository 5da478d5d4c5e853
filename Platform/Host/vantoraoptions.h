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
                        "action list (.xqq) or a hand-written [BookmarksByContent] file; - reads standard input");
inline const CommandOption Nth = CommandOption::number("--nth", "N", "a bookmark on every N-th page instead of levels");
inline const CommandOption Auto =
    CommandOption::flag("--auto", "the levels `vantora suggest` finds in each document's text");
inline const CommandOption Output = CommandOption::text("-o", "OUTPUT.pdf", "save the result there", "--output");
// The same -o for a command that writes settings: found by its name, so
// both spell alike.
inline const CommandOption SettingsOutput =
    CommandOption::text("-o", "FILE.ini", "write the levels there instead of printing them", "--output");
inline const CommandOption InPlace = CommandOption::flag("--in-place", "replace the input file with the result");
inline const CommandOption OutputDir =
    CommandOption::text("--output-dir", "DIR", "save each result in DIR under its input's name (made when missing)");
inline const CommandOption DryRun =
    CommandOption::flag("--dry-run", "print the outline the run would make, as `vantora outline` does; write nothing");
inline const CommandOption Jobs =
    CommandOption::number("--jobs", "N", "run N files at a time (default: the number of cores)");
inline const CommandOption KeepPartial =
    CommandOption::flag("--keep-partial", "save what the action made even when it fails");
inline const CommandOption AllowEmpty =
    CommandOption::flag("--allow-empty", "save even when the levels match no line (replacing drops the old bookmarks)");
inline const CommandOption Json = CommandOption::flag("--json", "print JSON, for tools");
inline const CommandOption Format = CommandOption::choice(
    "--format", {"text", "json"}, "print the outline as editable text (see set-outline) or JSON; a tree by default");
inline const CommandOption Page = CommandOption::number("--page", "N", "only the lines of page N");
inline const CommandOption All = CommandOption::flag("--all", "list the document's fonts after the text styles");

} // namespace VantoraOptions
