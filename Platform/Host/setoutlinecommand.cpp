#include "setoutlinecommand.h"

#include "atomicsave.h"
#include "hosterror.h"
#include "opendocument.h"
#include "outlinejson.h"
#include "outlinetext.h"
#include "outlinewriter.h"
#include "outputtarget.h"
#include "pdflibrarybinding.h"
#include "vantoraoptions.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

QByteArray ReadOutline(const QString& path)
{
    QFile file;
    if (path == QLatin1String("-")) {
        if (!file.open(stdin, QIODevice::ReadOnly))
            throw HostError(QStringLiteral("Standard input cannot be read."));
        return file.readAll();
    }
    file.setFileName(path);
    if (!QFileInfo(path).isFile())
        throw HostError(QStringLiteral("The outline file %1 does not exist.").arg(Quoted(path)));
    if (!file.open(QIODevice::ReadOnly))
        throw HostError(QStringLiteral("The outline file %1 cannot be read.").arg(Quoted(path)));
    return file.readAll();
}

// JSON starts with an object or an array; an editable outline line starts
// with a title in double quotes.
QList<OutlineItem> ParseOutline(const QByteArray& text, const QString& source)
{
    const QByteArray start = text.trimmed().left(1);
    if (start == "{" || start == "[")
        return OutlineJson::parse(text, source);
    return OutlineText::parse(QString::fromUtf8(text), source);
}

} // namespace

int SetOutlineCommand::execute(QTextStream& out)
{
    const QString input = mRequest.argument(0);
    const QString outlinePath = mRequest.argument(1);
    const QString source = outlinePath == QLatin1String("-") ? QStringLiteral("standard input") : Quoted(outlinePath);
    const QString output = OutputTarget::of(mRequest, input);
    const QList<OutlineItem> items = ParseOutline(ReadOutline(outlinePath), source);

    OpenDocument document(input, mRequest.value(VantoraOptions::Password));
    AtomicSave save(output);
    OutlineWriter::replace(document.library(), items, source);
    document.saveTo(save.temporaryPath());
    save.commit();
    const int bookmarks = document.library().OutlineCount();
    out << "Saved " << output << " with " << bookmarks << (bookmarks == 1 ? " bookmark" : " bookmarks") << ".\n";
    return 0;
}
