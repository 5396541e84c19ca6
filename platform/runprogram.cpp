#include "runprogram.h"

#include <QFile>
#include <QProcess>
#include <QStringList>

namespace nimbra {

bool RunProgram(const QString &program, const QString &parameters)
{
    QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner | QFile::ExeUser);
    QStringList arguments;
    const qsizetype blank = parameters.indexOf(QLatin1Char(' '));
    if (blank < 0) {
        if (!parameters.isEmpty())
            arguments << parameters;
    } else {
        arguments << parameters.left(blank) << parameters.mid(blank + 1);
    }
    return QProcess::startDetached(program, arguments);
}

} // namespace nimbra
