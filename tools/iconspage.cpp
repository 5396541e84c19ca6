#include "iconspage.h"

#include "formkit.h"
#include "imagebutton.h"
#include "togglelabel.h"

namespace nimbra {

IconsPage::IconsPage(QWidget *parent) : QWidget(parent)
{
    caption(this, 0, 5, QStringLiteral("Ícone de função:"));
    lbIco = caption(this, 161, 5, QString());
    lbIco->setObjectName(QStringLiteral("lbIco"));
    caption(this, 50, 75, QStringLiteral("Função:"));
    icAtv = new ToggleLabel(this, ToggleLabel::Style::Actions, QStringLiteral("desativar"), QStringLiteral("ativar"));
    icAtv->setObjectName(QStringLiteral("icAtv"));
    icAtv->setFont(arialFont(13, true));
    icAtv->setGeometry(112, 75, 80, 18);
    connect(icAtv, &ToggleLabel::toggled, this, [this] { emit activeToggled(slot()); });

    Edit1 = edit(this, 115, 105, 146, QStringLiteral("Figura:"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Image8 = actionButton(this, 275, 107, QStringLiteral("Copiar nome"), QStringLiteral("Image8"));
    Edit2 = edit(this, 115, 140, 200, QStringLiteral("Script link:"));
    Edit2->setObjectName(QStringLiteral("Edit2"));
    QLabel *hint = caption(this, 115, 169,
                           QStringLiteral("Pressione ENTER para produzir a alteração do nome da figura ou do link."),
                           13, false);
    hint->setWordWrap(true);
    hint->setFixedWidth(285);
    hint->adjustSize();

    connect(Edit1, &QLineEdit::returnPressed, this, [this] {
        emit imageEntered(slot(), Edit1->text());
        Edit2->setFocus();
    });
    connect(Edit2, &QLineEdit::returnPressed, this, [this] {
        emit targetEntered(slot(), Edit2->text());
        Edit1->setFocus();
    });
    connect(Image8, &ImageButton::clicked, this, &IconsPage::copyNameClicked);
}

void IconsPage::showSlot(int k, const IconSlot &icon)
{
    lbIco->setText(QString::number(k));
    lbIco->adjustSize();
    lbIco->setProperty("tag", k);
    icAtv->setOn(icon.Mark.isEmpty());
    Edit1->setText(icon.Image);
    Edit2->setText(icon.Target);
}

} // namespace nimbra
