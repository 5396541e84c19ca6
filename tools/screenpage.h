#pragma once

#include "editorview.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <array>

namespace nimbra {

class ClickLabel;
class ImageButton;
class StatusLabel;
class ToggleLabel;

// "Tela": an image page's screen image and its ten screen links.
class ScreenPage final : public QWidget {
    Q_OBJECT
public:
    explicit ScreenPage(QWidget *parent);

    // The texts of Lnk0 to Lnk7, in the order of a link's fields.
    QStringList linkEdits() const;
    void setLinkEdits(const QStringList &texts);
    // Colours the ten link labels: navy when active.
    void showLinksActive(const std::array<bool, 10> &active);

    QLineEdit *Edit13 = nullptr;
    ImageButton *Image11 = nullptr;
    std::array<ClickLabel *, 10> lbLk{};
    QLabel *Label4 = nullptr;
    ToggleLabel *Lnka = nullptr;
    std::array<QLineEdit *, kLinkEditCount> Lnk{};
    ImageButton *Image19 = nullptr;
    StatusLabel *Stt = nullptr;

signals:
    void screenImageEntered(const QString &name);
    void copyNameClicked();
    void linkClicked(int i);
    void activeToggled();
    void linkEditsEntered();
    void registerClicked();
};

} // namespace nimbra
