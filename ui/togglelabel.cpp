#include "togglelabel.h"

#include "skin.h"

#include <QMouseEvent>

namespace nimbra {

ToggleLabel::ToggleLabel(QWidget *parent, Style style, const QString &onCaption, const QString &offCaption,
                         bool on)
    : QLabel(parent), m_style(style), m_onCaption(onCaption), m_offCaption(offCaption), m_on(on)
{
    showState();
}

void ToggleLabel::setOn(bool on)
{
    m_on = on;
    showState();
}

void ToggleLabel::setCaptions(const QString &onCaption, const QString &offCaption)
{
    m_onCaption = onCaption;
    m_offCaption = offCaption;
    showState();
}

void ToggleLabel::showState()
{
    switch (m_style) {
    case Style::Brackets:
        setText(m_on ? QStringLiteral("[X]") : QStringLiteral("[ ]"));
        break;
    case Style::Actions:
        setText(m_on ? m_onCaption : m_offCaption);
        break;
    case Style::Fixed:
        setText(m_onCaption);
        break;
    }
    QPalette look = palette();
    look.setColor(QPalette::WindowText, m_on ? Skin::Navy : Skin::Grey);
    setPalette(look);
}

void ToggleLabel::mousePressEvent(QMouseEvent *event)
{
    // Taken here so the press does not reach the window beneath.
    event->accept();
}

void ToggleLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return;
    setOn(!m_on);
    emit toggled(m_on);
}

} // namespace nimbra
