#include "endpoints.h"
#include "messages.h"
#include "reply.h"
#include "site.h"

#include <QDir>

namespace velorin {

// The library's categories; a sound's file name starts with its key and "_".
static const QStringList kCategories = {QStringLiteral("agua"), QStringLiteral("beep"), QStringLiteral("bicho"),
                                        QStringLiteral("arma"), QStringLiteral("amb"), QStringLiteral("porta"),
                                        QStringLiteral("monstro")};

QByteArray mobLsSom(Call &call)
{
    call.account();
    const QString category = call.value("Cat").trimmed();
    require(kCategories.contains(category), msg::UnknownCategory);
    const QStringList files = QDir(soundLibraryDir(call.siteDir()))
                                  .entryList({category + QStringLiteral("_*.mp3")}, QDir::Files, QDir::Name);
    QStringList names;
    for (const QString &file : files)
        names.append(file.chopped(4));
    return linesReply(names);
}

// "tag-filename": the tag is the entry's number and holds no "-".
QByteArray mobLsArq(Call &call)
{
    const Adventure adventure = call.adventure(call.account());
    QStringList lines;
    const QStringList names = call.files().list(adventure.Prefix);
    for (qsizetype i = 0; i < names.size(); ++i)
        lines.append(QString::number(i + 1) + u'-' + names[i]);
    return linesReply(lines);
}

QByteArray mobPtImg(Call &call)
{
    const Adventure adventure = call.adventure(call.account());
    const QString name = call.name("Arq");
    require(call.files().write(adventure.Prefix, name, call.part("Img")), msg::FileNotWritten);
    return okReply();
}

QByteArray mobDtArq(Call &call)
{
    const Adventure adventure = call.adventure(call.account());
    require(call.files().remove(adventure.Prefix, call.name("Arq")), msg::NoFile);
    return okReply();
}

} // namespace velorin
