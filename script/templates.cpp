#include "templates.h"

#include "textlines.h"

namespace nimbra {
namespace {

QStringList textPageLines(const QString &name)
{
    return {QStringLiteral("//mob txt ") + name,
            QStringLiteral("  margem= 0,10,0,0"),
            QStringLiteral("  texto= 0,0,852,358,5,Courier New,FFFFFF,biu000000"),
            QStringLiteral("  boxon"),
            QStringLiteral("  <p>Página de texto.</p>"),
            QStringLiteral("  boxoff")};
}

QStringList imagePageLines(const QString &name)
{
    QStringList lines = {QStringLiteral("//mob img ") + name,
                         QStringLiteral("  telpos= tela01.png"),
                         QString(),
                         QStringLiteral("  //6:Links da tela gráfica")};
    for (int k = 0; k < 10; ++k)
        lines.append(QStringLiteral("  //cmd= fig,000,000,100,100,icone.png,$start"));
    return lines;
}

const QStringList &commonLines()
{
    static const QStringList lines = {
        QString(),
        QStringLiteral("  //1:Opções e funções - lateral direita"),
        QStringLiteral("  //cmd= fig,862,000,58,58,icone.png,$start"),
        QStringLiteral("  //cmd= fig,862,060,58,58,icone.png,$start"),
        QStringLiteral("  //cmd= fig,862,120,58,58,icone.png,$start"),
        QStringLiteral("  //cmd= fig,862,180,58,58,icone.png,$start"),
        QStringLiteral("  //cmd= fig,862,240,58,58,icone.png,$start"),
        QStringLiteral("  //cmd= fig,862,300,58,58,icone.png,$start"),
        QString(),
        QStringLiteral("  //2:Fio divisor"),
        QStringLiteral("  cmd= shp,000,369,920,2,fio.png"),
        QString(),
        QStringLiteral("  //3:Barra inferior - função esquerda"),
        QStringLiteral("  //cmd= fig,000,382,58,58,icone.png,$start"),
        QString(),
        QStringLiteral("  //4:Barra inferior - objetos com o jogador"),
        QStringLiteral("  //objjog= 076,382,696,58,58,12"),
        QString(),
        QStringLiteral("  //5:Barra inferior - funções à direita"),
        QStringLiteral("  //cmd= fig,789,382,58,58,icone.png,$start"),
        QStringLiteral("  //cmd= fig,862,382,58,58,icone.png,$pag01"),
        QString(),
        QStringLiteral("  //0:Programação ignorada..."),
        QString(),
        QStringLiteral("  fim"),
    };
    return lines;
}

} // namespace

QStringList pageTemplateLines(NewPageKind kind, const QString &name)
{
    QStringList lines = kind == NewPageKind::Text ? textPageLines(name) : imagePageLines(name);
    lines += commonLines();
    return lines;
}

QString pageTemplate(NewPageKind kind, const QString &name)
{
    return joinLinesCrLf(pageTemplateLines(kind, name));
}

} // namespace nimbra
