#include "download.h"

#include <QFileInfo>
#include <QSaveFile>

namespace nimbra {

namespace {

QString unwritableText(const QString &path)
{
    return QStringLiteral("Não foi possível gravar ") + QFileInfo(path).fileName() + QStringLiteral("!!!");
}

} // namespace

std::optional<QString> downloadToFile(Http &http, const QString &url, const QString &targetPath)
{
    // Streamed into the temporary file, which replaces the target only when
    // complete; a failure discards it.
    QSaveFile file(targetPath);
    if (!file.open(QIODevice::WriteOnly))
        return unwritableText(targetPath);
    const HttpResult result = http.getInto(url, [&file](const char *data, qsizetype size) {
        return file.write(data, size) == size;
    });
    if (!result.Ok) {
        file.cancelWriting();
        return result.failureText();
    }
    if (!file.commit())
        return unwritableText(targetPath);
    return std::nullopt;
}

} // namespace nimbra
