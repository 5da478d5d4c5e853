#include "filenamecodec.h"

namespace {

const ushort kEscapeBase = 0xDC00;

bool IsEscapedByte(ushort unit)
{
    return unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF;
}

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The length of the valid UTF-8 sequence at in, and its code point; 0 when
// the bytes there are no valid sequence (overlong, a surrogate, beyond
// U+10FFFF), -1 when they begin one that the input cuts short.
int Utf8Sequence(const unsigned char* in, int left, char32_t* code)
{
    const unsigned char lead = in[0];
    int length = 0;
    char32_t value = 0;
    char32_t least = 0;
    if (lead < 0x80)
        return *code = lead, 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, value = lead & 0x1F, least = 0x80;
    else if ((lead & 0xF0) == 0xE0)
        length = 3, value = lead & 0x0F, least = 0x800;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, value = lead & 0x07, least = 0x10000;
    else
        return 0;
    for (int i = 1; i < length; ++i)
    {
        if (i == left)
            return -1;
        if (!IsContinuation(in[i]))
            return 0;
        value = value << 6 | (in[i] & 0x3F);
    }
    if (value < least || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    *code = value;
    return length;
}

} // namespace

void FileNameCodec::installForLocale()
{
    QTextCodec* locale = QTextCodec::codecForLocale();
    if (!locale || locale->mibEnum() != 106)
        return;
    // Qt keeps every codec made until it exits.
    QTextCodec::setCodecForLocale(new FileNameCodec(locale));
}

std::wstring FileNameCodec::toLibrary(const QString& path)
{
    std::wstring wide;
    wide.reserve(static_cast<std::size_t>(path.size()));
    for (int i = 0; i < path.size(); ++i)
    {
        const QChar unit = path.at(i);
        if (unit.isHighSurrogate() && i + 1 < path.size() && path.at(i + 1).isLowSurrogate())
            wide += static_cast<wchar_t>(QChar::surrogateToUcs4(unit, path.at(++i)));
        else
            wide += static_cast<wchar_t>(unit.unicode());
    }
    return wide;
}

QByteArray FileNameCodec::name() const
{
    return "UTF-8 keeping undecodable bytes";
}

int FileNameCodec::mibEnum() const
{
    // Not 106: Qt may take a short cut of its own for UTF-8.
    return 0;
}

QString FileNameCodec::convertToUnicode(const char* in, int length, ConverterState* state) const
{
    // Text read in pieces (a stream) may cut a sequence at the end of a
    // piece: its bytes wait in the state for the next piece.
    QByteArray bytes;
    if (state)
        for (int i = 0; i < state->remainingChars; ++i)
            bytes += static_cast<char>(state->state_data[i]);
    bytes.append(in, length);
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const int size = bytes.size();
    if (state)
        state->remainingChars = 0;
    QString out;
    out.reserve(size);
    for (int at = 0; at < size;)
    {
        char32_t code = 0;
        const int used = Utf8Sequence(data + at, size - at, &code);
        if (used < 0 && state)
        {
            state->remainingChars = size - at;
            for (int i = 0; at + i < size; ++i)
                state->state_data[i] = data[at + i];
            break;
        }
        if (used <= 0)
        {
            out += QChar(static_cast<ushort>(kEscapeBase + data[at]));
            ++at;
            continue;
        }
        if (QChar::requiresSurrogates(code))
            out += QChar(QChar::highSurrogate(code)), out += QChar(QChar::lowSurrogate(code));
        else
            out += QChar(static_cast<ushort>(code));
        at += used;
    }
    return out;
}

QByteArray FileNameCodec::convertFromUnicode(const QChar* in, int length, ConverterState* state) const
{
    QByteArray out;
    out.reserve(length);
    int start = 0;
    for (int i = 0; i <= length; ++i)
    {
        if (i < length && !IsEscapedByte(in[i].unicode()))
            continue;
        // The stretch before the escaped byte, as Qt encodes it.
        out += mUtf8->fromUnicode(in + start, i - start, state);
        if (i < length)
            out += static_cast<char>(in[i].unicode() - kEscapeBase);
        start = i + 1;
    }
    return out;
}
