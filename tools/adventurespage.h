#pragma once

#include "sortedlist.h"

#include <QLineEdit>
#include <QWidget>

namespace nimbra {

class ImageButton;
class StatusLabel;
struct Workspace;
class TForm2;
struct AdventureData;

// "Aventuras": the adventures the author may edit, opening one, the look of
// its main area, and new adventures.
class AdventuresPage final : public QWidget {
    Q_OBJECT
public:
    AdventuresPage(Workspace &work, TForm2 &tools, QWidget *parent);

    void ListAdventures();
    // Opens the adventure of the selected row (a double click).
    void Lbx1DblClick();
    // Fetches the adventure's data and makes it current; all or nothing.
    bool LoadAdventure(const QString &name);
    // The start page the service gave for the adventure chosen last.
    const QString &startScript() const { return m_startScript; }
    void Image9Click();
    void Image10Click();

    SortedList *Lbx1 = nullptr;
    QLineEdit *Edit7 = nullptr;
    QLineEdit *Edit8 = nullptr;
    QLineEdit *Edit9 = nullptr;
    QLineEdit *Edit10 = nullptr;
    QLineEdit *Edit11 = nullptr;
    QLineEdit *Edit12 = nullptr;
    ImageButton *Image9 = nullptr;
    ImageButton *Image10 = nullptr;
    StatusLabel *Stp = nullptr;
    StatusLabel *Stn = nullptr;

signals:
    // The adventure of the double-clicked row is current: its pages open.
    void adventureChosen();
    // The run view's backdrop, the adventure's background colour.
    void backdropChosen(const QColor &colour);

private:
    void buildList();
    void buildLook();
    void buildNew();
    void makeCurrent(const QString &name, const AdventureData &data);

    Workspace &m_work;
    TForm2 &m_tools;
    QString m_startScript;
};

} // namespace nimbra
