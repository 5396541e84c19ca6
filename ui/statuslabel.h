#pragma once

#include <QLabel>

namespace nimbra {

// What a status label shows before any action, and again after one that
// succeeds without a text of its own.
inline const QString kStatusRest = QStringLiteral("Status...");

// The windows' status line: maroon, bold italic underlined, its text from
// the top of its place. A text wider than the room up to the window's edge
// is shown cut with "…", and whole as the label's tooltip; a wrapped text
// taller than its place is whole in the tooltip too.
class StatusLabel : public QLabel {
    Q_OBJECT
public:
    explicit StatusLabel(QWidget *parent, int pixelSize = 13, bool wordWrap = false);

    // The text as the label shows it.
    QString shownText() const;
    // Whether part of the text is not shown, so the tooltip gives it whole.
    bool isCut() const;
    // The width the text can use: the label's, up to its window's edge.
    int roomWidth() const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};

} // namespace nimbra
