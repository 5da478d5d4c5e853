#pragma once

#include <QString>
#include <QTextCodec>

#include <string>

// UTF-8 that keeps the bytes it cannot decode. A file name is bytes: one
// written in Latin-1 (caf\xe9.pdf) is no UTF-8, and Qt's own codec turns its
// byte 0xE9 into U+FFFD, so the name read from the command line names no
// file. Here each such byte b becomes the lone surrogate U+DC00 + b, which no
// decoded text holds, and goes back to b when the name is encoded: every
// name Qt reads or writes through QFile comes back byte for byte.
class FileNameCodec : public QTextCodec
{
public:
    // Makes this the codec for the locale when the locale's is UTF-8 (as Qt
    // takes it in the C locale too); other codecs lose no bytes.
    static void installForLocale();

    // A path for the PDF library's wide-string arguments: QString's own
    // conversion turns the lone surrogates into U+FFFD; here they stay.
    static std::wstring toLibrary(const QString& path);

    QByteArray name() const override;
    int mibEnum() const override;

protected:
    QString convertToUnicode(const char* in, int length, ConverterState* state) const override;
    QByteArray convertFromUnicode(const QChar* in, int length, ConverterState* state) const override;

private:
    explicit FileNameCodec(QTextCodec* utf8) : mUtf8(utf8) {}
    QTextCodec* mUtf8;
};
