#pragma once

#include <QString>

// Turns a heading's text into its bookmark title.
namespace HeadingTitle {

enum LeadingNumbers { LeaveAsIs = 0, Add = 1, Remove = 2 };

// Drops the leading run of the characters 1 to 9 and full stops; 0 and the
// space are not section number characters.
QString RemoveSectionNumbers(const QString& text);

// The title for the level's "Leading numbers" choice; `sectionNumber` is used
// only when numbers are added.
QString Compose(const QString& text, int leadingNumbers, const QString& sectionNumber);

// "Bookmark exact text only": what the mask matched when the level has a mask
// rule, else the text without surrounding white space and line ends.
QString ExactText(const QString& text, bool maskRule, const QString& maskMatch);

} // namespace HeadingTitle
