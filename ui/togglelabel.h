#pragma once

#include <QLabel>
#include <QString>

namespace nimbra {

// A label whose colour shows a state: navy when on, grey when off.
class ToggleLabel : public QLabel {
    Q_OBJECT
public:
    enum class Style {
        Brackets, // "[X]" when on, "[ ]" when off
        Actions,  // the caller's captions, naming what the next click does
        Fixed,    // the caption stays; only the colour changes
    };

    // Brackets ignores the captions; Fixed shows onCaption in both states.
    explicit ToggleLabel(QWidget *parent, Style style = Style::Brackets, const QString &onCaption = {},
                         const QString &offCaption = {}, bool on = false);

    Style style() const { return m_style; }
    bool isOn() const { return m_on; }
    // Sets the state without signalling: for the window's own updates.
    void setOn(bool on);
    void setCaptions(const QString &onCaption, const QString &offCaption);

signals:
    // Only a click by the author signals.
    void toggled(bool on);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void showState();

    Style m_style;
    QString m_onCaption;
    QString m_offCaption;
    bool m_on;
};

} // namespace nimbra
