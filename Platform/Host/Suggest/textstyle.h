#pragma once

#include <QString>

#include <cmath>
#include <tuple>

// How a line looks: size, font without its subset prefix, colour. Sizes a
// hundredth apart are one size.
struct TextStyle
{
    double size = 0.0;
    QString font;
    QString colour;

    static double roundedSize(double size) { return std::round(size * 100) / 100; }
    static QString withoutSubsetPrefix(const QString& font)
    {
        const int plus = font.indexOf(QLatin1Char('+'));
        return plus == 6 ? font.mid(7) : font;
    }

    // Largest first.
    bool operator<(const TextStyle& other) const
    {
        return std::tie(other.size, font, colour) < std::tie(size, other.font, other.colour);
    }
    bool operator==(const TextStyle& other) const
    {
        return size == other.size && font == other.font && colour == other.colour;
    }
};
