#pragma once

#include "sortedlist.h"

#include <QListWidget>
#include <QWidget>

namespace nimbra {

class ImageButton;
class StatusLabel;
struct Workspace;
class TForm2;

// "ArqSom": the adventure's sound files on the service, with delete, and
// the local ones, to listen to, to upload and to attach to the page.
class SoundFilesPage final : public QWidget {
    Q_OBJECT
public:
    SoundFilesPage(Workspace &work, TForm2 &tools, QWidget *parent);

    // What the menu's "Sons" shows: the service's list when an adventure is
    // open, and the local files read again.
    void showFiles();
    void ListServerSounds();
    void readLocalFiles();
    void File2Click();
    void Image18Click();
    void Image20Click();
    void Image21Click();
    void Image22Click();

    SortedList *Lbx8 = nullptr;
    ImageButton *Image18 = nullptr;
    StatusLabel *St2 = nullptr;
    QListWidget *File2 = nullptr;
    ImageButton *Image21 = nullptr;
    ImageButton *Image22 = nullptr;
    ImageButton *Image20 = nullptr;
    StatusLabel *Label90 = nullptr;

private:
    void buildServerSide();
    void buildLocalSide();

    Workspace &m_work;
    TForm2 &m_tools;
};

} // namespace nimbra
