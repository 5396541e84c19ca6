#include "skin.h"

#include <QString>

// Q_INIT_RESOURCE must be expanded outside any namespace.
static void initSkinResources()
{
    Q_INIT_RESOURCE(skin);
}

namespace nimbra {

void Skin::init()
{
    static const bool done = (initSkinResources(), true);
    Q_UNUSED(done);
}

QPixmap Skin::picture(const char *name)
{
    init();
    return QPixmap(QStringLiteral(":/skin/") + QLatin1StringView(name));
}

QPixmap Skin::btUp() { return picture("btUp.png"); }
QPixmap Skin::btDw() { return picture("btDw.png"); }
QPixmap Skin::btUp3() { return picture("btUp3.png"); }
QPixmap Skin::btDw3() { return picture("btDw3.png"); }
QPixmap Skin::tic1() { return picture("Tic1.png"); }
QPixmap Skin::tic2() { return picture("Tic2.png"); }
QPixmap Skin::titleBar() { return picture("barra.png"); }
QPixmap Skin::topo1() { return picture("topo1.png"); }
QPixmap Skin::topo2() { return picture("topo2.png"); }

QFont Skin::statusFont(int pixelSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setItalic(true);
    font.setUnderline(true);
    return font;
}

QFont Skin::titleFont(int pixelSize)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

} // namespace nimbra
