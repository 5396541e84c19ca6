#include "download.h"

#include <QSaveFile>

namespace nimbra {

std::optional<QString> downloadToFile(Http &http, const QString &url, const QString &targetPath)
{
    const HttpResult result = http.get(url);
    if (!result.Ok)
        return result.failureText();
    QSaveFile file(targetPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(result.Body) != result.Body.size() || !file.commit())
        return QStringLiteral("Não foi possível gravar ") + targetPath + QStringLiteral("!!!");
    return std::nullopt;
}

} // namespace nimbra
