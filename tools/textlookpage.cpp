#include "textlookpage.h"

#include "formkit.h"
#include "togglelabel.h"

namespace nimbra {

namespace {

ToggleLabel *styleToggle(QWidget *parent, int x, const QString &text, const QString &name)
{
    auto *toggle = new ToggleLabel(parent, ToggleLabel::Style::Fixed, text, text, true);
    toggle->setObjectName(name);
    QFont font = arialFont(16, true);
    font.setUnderline(true);
    toggle->setFont(font);
    toggle->move(x, 160);
    toggle->adjustSize();
    return toggle;
}

} // namespace

TextLookPage::TextLookPage(QWidget *parent) : QWidget(parent)
{
    caption(this, 1, 5, QStringLiteral("Área de texto principal..."));
    Edit4 = edit(this, 110, 70, 171, QStringLiteral("Fonte:"));
    Edit22 = edit(this, 290, 70, 26);
    Edit5 = edit(this, 110, 100, 81, QStringLiteral("Cor do fundo:"));
    Edit19 = edit(this, 285, 100, 116, QStringLiteral("Imagem:"));
    Edit6 = edit(this, 110, 130, 100, QStringLiteral("Cor do texto:"));
    const QStringList names = {QStringLiteral("Edit4"), QStringLiteral("Edit22"), QStringLiteral("Edit5"),
                               QStringLiteral("Edit19"), QStringLiteral("Edit6")};
    for (int i = 0; i < int(fields().size()); ++i) {
        QLineEdit *field = fields()[i];
        field->setObjectName(names[i]);
        connect(field, &QLineEdit::editingFinished, this, [this, field] {
            if (field->isModified()) {
                field->setModified(false);
                emit changed(QStringLiteral("aparência do texto"));
            }
        });
    }
    Biu1 = styleToggle(this, 112, QStringLiteral("negrito"), QStringLiteral("Biu1"));
    Biu2 = styleToggle(this, 177, QStringLiteral("itálico"), QStringLiteral("Biu2"));
    Biu3 = styleToggle(this, 232, QStringLiteral("sublinhado"), QStringLiteral("Biu3"));
    for (ToggleLabel *toggle : {Biu1, Biu2, Biu3})
        connect(toggle, &ToggleLabel::toggled, this, [this, toggle] { emit changed(toggle->text()); });
}

} // namespace nimbra
