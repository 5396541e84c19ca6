#pragma once

#include <QLabel>

namespace nimbra {

// The windows' status line: maroon, bold italic underlined.
class StatusLabel : public QLabel {
    Q_OBJECT
public:
    explicit StatusLabel(QWidget *parent, int pixelSize = 13, bool wordWrap = false);
};

} // namespace nimbra
