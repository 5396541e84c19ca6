#pragma once

#include <QLineEdit>
#include <QWidget>

#include <array>

namespace nimbra {

class ToggleLabel;

// "Texto": the look of a text page's main area. The writer reads these
// controls as they stand when the page is stored.
class TextLookPage final : public QWidget {
    Q_OBJECT
public:
    explicit TextLookPage(QWidget *parent);

    QLineEdit *Edit4 = nullptr;  // font
    QLineEdit *Edit22 = nullptr; // size
    QLineEdit *Edit5 = nullptr;  // background colour
    QLineEdit *Edit19 = nullptr; // background image
    QLineEdit *Edit6 = nullptr;  // text colour
    ToggleLabel *Biu1 = nullptr;
    ToggleLabel *Biu2 = nullptr;
    ToggleLabel *Biu3 = nullptr;

    std::array<QLineEdit *, 5> fields() const { return {Edit4, Edit22, Edit5, Edit19, Edit6}; }

signals:
    // A style toggle was clicked, or a field was left with a changed value.
    void changed(const QString &what);
};

} // namespace nimbra
