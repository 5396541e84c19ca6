#pragma once

#include "templates.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace nimbra {

class ClickLabel;
class StatusLabel;

// "Criar": a new page of the adventure from the text or the image model.
class CreationPage final : public QWidget {
    Q_OBJECT
public:
    explicit CreationPage(QWidget *parent);

    QLineEdit *Edit3 = nullptr;
    StatusLabel *Stc = nullptr;
    ClickLabel *Image5 = nullptr;
    ClickLabel *Image6 = nullptr;

    // The small pictures of the two models.
    static QPixmap modelPicture(NewPageKind kind);

signals:
    void createClicked(NewPageKind kind);
};

} // namespace nimbra
