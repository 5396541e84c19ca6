#include "statuslabel.h"

#include "skin.h"

namespace nimbra {

StatusLabel::StatusLabel(QWidget *parent, int pixelSize, bool wordWrap) : QLabel(parent)
{
    setFont(Skin::statusFont(pixelSize));
    QPalette look = palette();
    look.setColor(QPalette::WindowText, Skin::StatusColor);
    setPalette(look);
    setWordWrap(wordWrap);
    setText(QStringLiteral("Status..."));
}

} // namespace nimbra
