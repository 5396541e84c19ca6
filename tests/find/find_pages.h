#pragma once

// Page scripts written out line by line, so that a test reads which line
// holds what.
#include "adventurefind.h"
#include "codepage.h"
#include "textlines.h"
#include "testutil.h"

#include <QFile>

// The script text, every line followed by CR LF.
inline QString scriptText(std::initializer_list<const char *> lines)
{
    return nimbra::joinLinesCrLf(u8Lines(lines));
}

inline QString fetchReply(const QString &script)
{
    return QStringLiteral("Ok\r\n") + script;
}

// The lines of the fixed screen after the page's content, as the writer puts them.
#define FIXED_SCREEN_LINES                                                                                            \
    "", "  //1:Opções e funções - lateral direita", "  cmd= fig,862,000,58,58,porta.png,sala",                        \
        "  //cmd= fig,862,060,58,58,icone.png,$start", "  //cmd= fig,862,120,58,58,icone.png,$start",                 \
        "  //cmd= fig,862,180,58,58,icone.png,$start", "  //cmd= fig,862,240,58,58,icone.png,$start",                 \
        "  cmd= fig,862,300,58,58,ajuda.png,ajuda", "", "  //2:Fio divisor", "  cmd= shp,000,369,920,2,fio.png", "",  \
        "  //3:Barra inferior - função esqueda", "  //cmd= fig,000,382,58,58,icone.png,$start", "",                  \
        "  //4:Barra inferior - objetos com o jogador", "  //objjog= 076,382,696,58,58,12", "",                       \
        "  //5:Barra inferior - funções à direita", "  //cmd= fig,789,382,58,58,icone.png,$start",                    \
        "  cmd= fig,862,382,58,58,seta.png,xvlt", "", "  //0:Programação ignorada...", ":rotulo porta", "  fim"

// Icon 1 at line 12, icon 6 at 17, icon 7 at 23, icon 9 at 30, free section 33 and 34.
inline QString textPage()
{
    return scriptText({"//mob txt inicio", "  backtxt= fundo.png", "  somini= vento.mp3", "  margem= 0,10,0,0",
                       "  texto= 0,0,852,358,5,Courier New,FFFFFF,biu000000", "  boxon",
                       "  <p>A porta range.</p> ", "  <p>Courier na PORTA.</p> ", "  boxoff", FIXED_SCREEN_LINES});
}

// Links 0 to 2 at lines 7 to 9, icon 1 at line 19.
inline QString imagePage()
{
    return scriptText({"//mob img sala", "  retscp= sala", "  somini= $porta_rangido", "  telpos= sala.png", "",
                       "  //6:Links da tela gráfica", "  cmd= map,380,120,100,160,porao",
                       "  cmd= fig,140,250,058,058,chave.png,chave", "  cmd= txt,1,2,3,4,a,,c,d",
                       "  //cmd= fig,000,000,100,100,icone.png,$start", "  //cmd= fig,000,000,100,100,icone.png,$start",
                       "  //cmd= fig,000,000,100,100,icone.png,$start", "  //cmd= fig,000,000,100,100,icone.png,$start",
                       "  //cmd= fig,000,000,100,100,icone.png,$start", "  //cmd= fig,000,000,100,100,icone.png,$start",
                       "  //cmd= fig,000,000,100,100,icone.png,$start", FIXED_SCREEN_LINES});
}

// A page of the script reader's cases, read as the service keeps it.
inline QString readerCase(const char *name)
{
    QFile file(QStringLiteral(NIMBRA_SCRIPT_CASES "/") + QLatin1StringView(name) + QStringLiteral("/input.txt"));
    return file.open(QIODevice::ReadOnly) ? nimbra::fromCp1252(file.readAll()) : QString();
}
