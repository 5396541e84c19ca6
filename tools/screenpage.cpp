#include "screenpage.h"

#include "clicklabel.h"
#include "formkit.h"
#include "imagebutton.h"
#include "skin.h"
#include "statuslabel.h"
#include "togglelabel.h"

namespace nimbra {

namespace {

QFont courierFont(int pixels)
{
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

struct EditPlace {
    int x, y, width;
};
constexpr EditPlace kEditPlaces[kLinkEditCount] = {
    {5, 180, 35},   {45, 180, 35},  {85, 180, 35},  {125, 180, 35},
    {165, 180, 35}, {205, 180, 95}, {305, 180, 95}, {240, 205, 161},
};

} // namespace

ScreenPage::ScreenPage(QWidget *parent) : QWidget(parent)
{
    caption(this, 0, 5, QStringLiteral("Tela da posição ou página:"));
    Edit13 = edit(this, 75, 40, 146, QStringLiteral("Imagem:"));
    Edit13->setObjectName(QStringLiteral("Edit13"));
    connect(Edit13, &QLineEdit::returnPressed, this, [this] { emit screenImageEntered(Edit13->text()); });
    Image11 = actionButton(this, 235, 42, QStringLiteral("Copiar nome"), QStringLiteral("Image11"));
    connect(Image11, &ImageButton::clicked, this, &ScreenPage::copyNameClicked);
    QLabel *hint = caption(
        this, 75, 64, QStringLiteral("Pressione ENTER para produzir a alteração do nome da imagem da posição ou página."),
        13, false);
    hint->setWordWrap(true);
    hint->setFixedWidth(320);
    hint->adjustSize();

    caption(this, 5, 115, QStringLiteral("Links:"));
    for (int i = 0; i < int(lbLk.size()); ++i) {
        auto *label = new ClickLabel(QStringLiteral("[%1]").arg(i), this);
        label->setObjectName(QStringLiteral("lbLk%1").arg(i));
        label->setFont(courierFont(16));
        label->move(55 + 35 * i, 115);
        label->adjustSize();
        setTextColour(label, Skin::Grey);
        connect(label, &ClickLabel::clicked, this, [this, i] { emit linkClicked(i); });
        lbLk[i] = label;
    }

    caption(this, 5, 150, QStringLiteral("Em edição:"));
    Label4 = new QLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setFont(courierFont(24));
    setTextColour(Label4, Skin::Maroon);
    Label4->setGeometry(90, 143, 24, 28);
    Lnka = new ToggleLabel(this, ToggleLabel::Style::Brackets);
    Lnka->setObjectName(QStringLiteral("Lnka"));
    Lnka->setFont(courierFont(16));
    Lnka->move(115, 150);
    Lnka->adjustSize();
    connect(Lnka, &ToggleLabel::toggled, this, &ScreenPage::activeToggled);

    const QStringList kinds = {QStringLiteral("shp"), QStringLiteral("map"), QStringLiteral("txt"),
                               QStringLiteral("fig"), QStringLiteral("url"), QStringLiteral("mov")};
    for (int i = 0; i < kinds.size(); ++i) {
        auto *kind = new ClickLabel(kinds[i], this);
        kind->setObjectName(QStringLiteral("kind_") + kinds[i]);
        kind->setFont(arialFont(13, true));
        setTextColour(kind, Skin::Navy);
        kind->move(160 + 40 * i, 150);
        kind->adjustSize();
        kind->setCursor(Qt::PointingHandCursor);
        // Only the edit changes; the link takes it on ENTER or on "Registrar alterações".
        connect(kind, &ClickLabel::clicked, this, [this, kind] { Lnk[0]->setText(kind->text()); });
    }

    for (int i = 0; i < kLinkEditCount; ++i) {
        const EditPlace &place = kEditPlaces[i];
        Lnk[i] = edit(this, place.x, place.y, place.width);
        Lnk[i]->setObjectName(QStringLiteral("Lnk%1").arg(i));
        connect(Lnk[i], &QLineEdit::returnPressed, this, &ScreenPage::linkEditsEntered);
    }
    Image19 = actionButton(this, 5, 207, QStringLiteral("Registrar alterações"), QStringLiteral("Image19"));
    connect(Image19, &ImageButton::clicked, this, &ScreenPage::registerClicked);
    Stt = status(this, 30, 225, QStringLiteral("Stt"));
}

QStringList ScreenPage::linkEdits() const
{
    QStringList texts;
    for (const QLineEdit *field : Lnk)
        texts << field->text();
    return texts;
}

void ScreenPage::setLinkEdits(const QStringList &texts)
{
    for (int i = 0; i < kLinkEditCount; ++i)
        Lnk[i]->setText(texts.value(i));
}

void ScreenPage::showLinksActive(const std::array<bool, 10> &active)
{
    for (int i = 0; i < int(lbLk.size()); ++i)
        setTextColour(lbLk[i], active[i] ? Skin::Navy : Skin::Grey);
}

} // namespace nimbra
