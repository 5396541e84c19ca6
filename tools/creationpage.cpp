#include "creationpage.h"

#include "clicklabel.h"
#include "formkit.h"
#include "skin.h"
#include "statuslabel.h"

#include <QPainter>

namespace nimbra {

namespace {

constexpr int kModelWidth = 125;
constexpr int kModelHeight = 67;

// A page in miniature: the main area, the icon column and the bottom bar.
void paintPageOutline(QPainter &p)
{
    p.fillRect(0, 0, kModelWidth, kModelHeight, Qt::white);
    p.setPen(Skin::Frame);
    p.drawRect(0, 0, kModelWidth - 1, kModelHeight - 1);
    p.fillRect(3, 3, 110, 48, Skin::WindowBackground);
    for (int row = 0; row < 6; ++row)
        p.fillRect(116, 3 + row * 8, 6, 6, Skin::Grey);
    p.fillRect(3, 53, 122 - 3, 1, Skin::Navy);
    p.fillRect(3, 57, 6, 6, Skin::Grey);
    p.fillRect(13, 57, 90, 6, Skin::Grey.lighter(140));
    p.fillRect(107, 57, 6, 6, Skin::Grey);
    p.fillRect(116, 57, 6, 6, Skin::Grey);
}

void paintTextLines(QPainter &p)
{
    for (int line = 0; line < 5; ++line)
        p.fillRect(8, 8 + line * 8, line == 4 ? 50 : 96, 3, Skin::Navy);
}

void paintScreenPicture(QPainter &p)
{
    p.fillRect(3, 3, 110, 48, QColor(0x9C, 0xC3, 0xE6));
    p.setBrush(QColor(0x5A, 0x8F, 0x4E));
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygon({QPoint(3, 51), QPoint(40, 22), QPoint(70, 40), QPoint(90, 28), QPoint(113, 51)}));
    p.setBrush(QColor(0xF2, 0xC9, 0x4C));
    p.drawEllipse(QPoint(95, 13), 5, 5);
}

} // namespace

QPixmap CreationPage::modelPicture(NewPageKind kind)
{
    QPixmap picture(kModelWidth, kModelHeight);
    QPainter p(&picture);
    paintPageOutline(p);
    if (kind == NewPageKind::Text)
        paintTextLines(p);
    else
        paintScreenPicture(p);
    return picture;
}

CreationPage::CreationPage(QWidget *parent) : QWidget(parent)
{
    caption(this, 0, 5, QStringLiteral("Criar script ou página da aventura..."));
    Edit3 = edit(this, 80, 45, 171, QStringLiteral("Nome:"));
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Stc = status(this, 80, 69, QStringLiteral("Stc"));
    QLabel *hint = caption(this, 25, 99,
                           QStringLiteral("Defina um nome para o script / página e selecione o modelo (texto ou "
                                          "imagem) para criar."),
                           13, false);
    hint->setWordWrap(true);
    hint->setFixedWidth(360);
    hint->adjustSize();

    const auto model = [this](int x, NewPageKind kind, const QString &name, const QString &hintText) {
        auto *picture = new ClickLabel(this);
        picture->setObjectName(name);
        picture->setGeometry(x, 160, kModelWidth, kModelHeight);
        picture->setPixmap(modelPicture(kind));
        picture->setToolTip(hintText);
        picture->setCursor(Qt::PointingHandCursor);
        connect(picture, &ClickLabel::clicked, this, [this, kind] { emit createClicked(kind); });
        return picture;
    };
    Image5 = model(50, NewPageKind::Text, QStringLiteral("Image5"), QStringLiteral("Página de texto"));
    Image6 = model(190, NewPageKind::Image, QStringLiteral("Image6"), QStringLiteral("Página de imagem"));
}

} // namespace nimbra
