#pragma once

#include "sortedlist.h"
#include "sounddeck.h"

#include <QPoint>
#include <QWidget>

#include <array>
#include <optional>

namespace nimbra {

class ClickLabel;
class ImageButton;
class StatusLabel;
struct Workspace;
class PageEditor;
class TForm2;

// "Sons": the service's sound library by category, listening to a sound,
// and attaching it to the page as its initial sound or a link's sound.
class SoundsPage final : public QWidget {
    Q_OBJECT
public:
    SoundsPage(Workspace &work, PageEditor &editor, TForm2 &tools, QWidget *parent);

    // The category labels: caption, the key the service knows, place.
    struct Category {
        const char *Caption;
        const char *Key;
        QPoint Place;
    };
    static constexpr std::array<Category, 7> kCategories{{{"som de água", "agua", {17, 35}},
                                                          {"beeps", "beep", {152, 35}},
                                                          {"bichos", "bicho", {227, 35}},
                                                          {"armas", "arma", {307, 35}},
                                                          {"ambiente", "amb", {17, 65}},
                                                          {"portas", "porta", {117, 65}},
                                                          {"monstros", "monstro", {192, 65}}}};

    void ListLibrarySounds(const QString &category);
    // Plays a sound field's sound: "$" + name from the library, kept in the
    // adventure folder after its first download, any other name from the
    // adventure folder. The text for the author when it cannot.
    std::optional<QString> TocaWave(const QString &name);
    // A sound field's text as the page's initial sound, or into the
    // selected screen link's sound field; then the Scripts page shows.
    void attachInitialSound(const QString &sound);
    void attachLinkSound(const QString &sound);
    void Lbx7Click();
    void Image16Click();
    void Image17Click();

    SoundDeck &deck() { return m_deck; }

    std::array<ClickLabel *, kCategories.size()> lbCat{};
    ImageButton *Image16 = nullptr;
    ImageButton *Image17 = nullptr;
    ImageButton *Image15 = nullptr;
    StatusLabel *Sts = nullptr;
    SortedList *Lbx7 = nullptr;

private:
    void buildCategories();
    void buildActions();
    // The picked library sound as a sound field writes it, or nothing.
    QString pickedSound() const;
    // The local copy exists from here on, or the text of why not.
    std::optional<QString> fetchOnce(const QString &fileName, const QString &path);

    Workspace &m_work;
    PageEditor &m_editor;
    TForm2 &m_tools;
    SoundDeck m_deck;
};

} // namespace nimbra
