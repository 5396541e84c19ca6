#include "settingsfile.h"

#include "codepage.h"
#include "textlines.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>

namespace nimbra {

namespace {

std::optional<int> number(const QStringList &lines, qsizetype index)
{
    if (index >= lines.size())
        return std::nullopt;
    bool ok = false;
    const int value = lines[index].trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<QString> text(const QStringList &lines, qsizetype index)
{
    return index < lines.size() ? std::optional<QString>(lines[index]) : std::nullopt;
}

} // namespace

Settings readSettings(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = splitLines(fromCp1252(file.readAll()));
    Settings s;
    s.Login = text(lines, 0);
    s.Password = text(lines, 1);
    s.Tools = {number(lines, 2), number(lines, 3)};
    s.Run = {number(lines, 4), number(lines, 5)};
    s.Preview = {number(lines, 6), number(lines, 7)};
    return s;
}

std::optional<QString> writeSettings(const QString &path, const QString &login, const QString &password,
                                     QPoint tools, QPoint run, QPoint preview)
{
    const QStringList lines = {login,
                               password,
                               QString::number(tools.y()),
                               QString::number(tools.x()),
                               QString::number(run.y()),
                               QString::number(run.x()),
                               QString::number(preview.y()),
                               QString::number(preview.x()),
                               QStringLiteral("...")};
    QSaveFile file(path);
    const QByteArray bytes = toCp1252(joinLinesCrLf(lines));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return QStringLiteral("Não foi possível gravar ") + path + QStringLiteral(": ") + file.errorString();
    return std::nullopt;
}

QPoint keptOnScreen(QPoint topLeft, QSize windowSize, const QRect &screen)
{
    // At least a strip of the title bar must stay reachable to drag it back.
    constexpr int kReachable = 40;
    const int left = std::clamp(topLeft.x(), screen.left() - windowSize.width() + kReachable, screen.right() - kReachable);
    const int top = std::clamp(topLeft.y(), screen.top(), screen.bottom() - kReachable);
    return {left, top};
}

} // namespace nimbra
