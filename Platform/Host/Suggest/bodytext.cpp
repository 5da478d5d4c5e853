#include "bodytext.h"

#include "documentlines.h"

#include <QHash>
#include <QMap>

bool BodyText::isProse(const QString& text)
{
    int words = 0;
    int letters = 0;
    for (const QChar c : text) {
        if (c.isLetter()) {
            ++letters;
            continue;
        }
        if (letters >= 2)
            ++words;
        letters = 0;
    }
    return words + (letters >= 2 ? 1 : 0) >= 3;
}

BodyText BodyText::of(const DocumentLines& document)
{
    // The size first, over all its fonts, then the style at that size.
    QMap<double, int> bySize;
    QMap<TextStyle, int> byStyle;
    for (int i = 0; i < document.lines.size(); ++i) {
        const QString& text = document.lines.at(i).text;
        if (!isProse(text))
            continue;
        const TextStyle& style = document.styles.at(i);
        bySize[std::round(style.size * 10) / 10] += text.size();
        byStyle[style] += text.size();
    }
    BodyText body;
    double size = 0.0;
    int most = 0;
    for (auto it = bySize.cbegin(); it != bySize.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            size = it.key();
        }
    }
    for (auto it = byStyle.cbegin(); it != byStyle.cend(); ++it) {
        if (std::round(it.key().size * 10) / 10 == size && it.value() > body.characters) {
            body.characters = it.value();
            body.style = it.key();
        }
    }
    return body;
}
