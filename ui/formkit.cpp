#include "formkit.h"

#include "imagebutton.h"
#include "skin.h"
#include "statuslabel.h"

#include <QFrame>
#include <QFontMetrics>

namespace nimbra {

QFont arialFont(int pixels, bool bold, bool italic)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::Text, colour);
    widget->setPalette(p);
}

void setBackgroundColour(QWidget *widget, const QColor &colour)
{
    widget->setAutoFillBackground(true);
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, colour);
    widget->setPalette(p);
}

QColor backgroundColour(const QWidget *widget)
{
    return widget->palette().color(QPalette::Window);
}

QLabel *caption(QWidget *parent, int x, int y, const QString &text, int pixels, bool bold)
{
    auto *label = new QLabel(text, parent);
    label->setFont(arialFont(pixels, bold));
    setTextColour(label, Skin::Navy);
    label->move(x, y);
    label->adjustSize();
    return label;
}

QLineEdit *edit(QWidget *parent, int x, int y, int width, const QString &label, int maxLength)
{
    auto *box = new QLineEdit(parent);
    box->setFont(arialFont(13));
    box->setGeometry(x, y, width, 22);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    // A value the program puts in shows its start; typing is left alone.
    QObject::connect(box, &QLineEdit::textChanged, box, [box] {
        if (!box->hasFocus())
            box->setCursorPosition(0);
    });
    if (!label.isEmpty()) {
        QLabel *l = caption(parent, 0, y + 3, label);
        l->move(x - l->width() - 6, y + 3);
    }
    return box;
}

ImageButton *actionButton(QWidget *parent, int x, int y, const QString &text, const QString &name)
{
    auto *button = new ImageButton(parent, Skin::btUp3(), Skin::btDw3());
    button->setObjectName(name);
    button->move(x, y);
    caption(parent, x + 25, y - 1, text);
    return button;
}

StatusLabel *status(QWidget *parent, int x, int y, const QString &name, int width, int height)
{
    auto *label = new StatusLabel(parent, 13, width > 0);
    label->setObjectName(name);
    label->move(x, y);
    if (width > 0)
        label->resize(width, height);
    else
        label->adjustSize();
    return label;
}

void separator(QWidget *parent, int y, int width)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setLineWidth(1);
    line->setMidLineWidth(1);
    line->setGeometry(2, y, width, 3);
}

} // namespace nimbra

namespace nimbra {

void showStatus(QLabel *label, const QString &text)
{
    label->setText(text);
    if (!label->wordWrap())
        label->adjustSize();
    label->repaint();
}

void addPageRow(QListWidget *list, const QString &text, const QString &page, const QColor &colour)
{
    auto *item = new QListWidgetItem(text, list);
    item->setData(Qt::UserRole, page);
    item->setForeground(colour);
}

} // namespace nimbra
