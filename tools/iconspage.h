#pragma once

#include "pagemodel.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace nimbra {

class ImageButton;
class ToggleLabel;

// "Icones": one of the nine function icons of the page, picked in the preview.
class IconsPage final : public QWidget {
    Q_OBJECT
public:
    explicit IconsPage(QWidget *parent);

    // Shows icon k (1 to 9) of the page.
    void showSlot(int k, const IconSlot &slot);
    int slot() const { return lbIco->property("tag").toInt(); }

    QLabel *lbIco = nullptr;
    ToggleLabel *icAtv = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLineEdit *Edit2 = nullptr;
    ImageButton *Image8 = nullptr;

signals:
    void activeToggled(int k);
    void imageEntered(int k, const QString &image);
    void targetEntered(int k, const QString &target);
    void copyNameClicked();
};

} // namespace nimbra
