#!/usr/bin/env python3
"""Writes a few foreign bookmark-settings files into the folder given: every
entry name, colours in the three spaces, an end marker, blank and short
lines."""
import os
import sys

NAMES = ["mIgnoreHeadings", "mLeadingNumbers", "mMultiline", "mbuilderColapse",
         "mbuilderInsertion", "mbuilderTextOnly", "mfontName", "mfontSize", "mfontSizeTol",
         "minclude", "misFontColor", "misFontMask", "misFontName", "misFontRectLeft",
         "misFontSize", "misKeywordList", "mkeywordList", "mmagPercent", "mmagnification",
         "mmask", "mrectLeft", "mrectLeftTol", "mfontColorSpace", "mfontColorValue0",
         "mfontColorValue1", "mfontColorValue2", "mfontColorValue3"]


def entry(name, level, value):
    return "[%s%s][/= %s;\n" % (name, level, value)


def main(folder):
    os.makedirs(folder, exist_ok=True)
    seeds = {
        "every-name": "##" + "".join(entry(n, 1 + i % 9, '"x"' if "Name" in n else "1")
                                      for i, n in enumerate(NAMES)),
        "colours": "##" + entry("mfontColorSpace", 1, 2) + entry("mfontColorValue0", 1, 0.5)
                   + entry("mfontColorValue3", 1, 0.6) + entry("mfontColorSpace", 2, 1)
                   + entry("mfontColorValue1", 2, 0.5),
        "end-marker": "##" + entry("mmask", 3, '"Chapter*"') + "</x>\n" + entry("mfontSize", 4, 9),
        "short-lines": "##\n\nx\n[]\n[1]\n" + entry("mfontSize", 2, 12),
    }
    for name, text in seeds.items():
        with open(os.path.join(folder, name), "w", encoding="utf-8") as out:
            out.write(text)


if __name__ == "__main__":
    main(sys.argv[1])
