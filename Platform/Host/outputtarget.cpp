#include "outputtarget.h"

#include "commandrequest.h"
#include "hosterror.h"
#include "vantoraoptions.h"

#include <QFile>

#include <sys/stat.h>

bool OutputTarget::sameFile(const QString& a, const QString& b)
{
    struct stat first{};
    struct stat second{};
    return ::stat(QFile::encodeName(a).constData(), &first) == 0
        && ::stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev
        && first.st_ino == second.st_ino;
}

QString OutputTarget::of(const CommandRequest& request, const QString& input)
{
    if (request.isSet(VantoraOptions::InPlace))
        return input;
    const QString output = request.value(VantoraOptions::Output);
    if (sameFile(output, input))
        throw HostError::usage(
            QStringLiteral("-o %1 is the input file itself; give --in-place to replace it.").arg(Quoted(output)));
    return output;
}
