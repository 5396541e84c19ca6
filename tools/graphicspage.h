#pragma once

#include "serverfiles.h"
#include "sortedlist.h"

#include <QLabel>
#include <QListWidget>
#include <QWidget>

namespace nimbra {

class ImageButton;
class StatusLabel;
struct Workspace;
class PageEditor;

// "Gráficos": the adventure's pictures on the service, with delete, and
// the local ones, with upload, a preview and the name to paste elsewhere.
class GraphicsPage final : public QWidget {
    Q_OBJECT
public:
    GraphicsPage(Workspace &work, PageEditor &editor, QWidget *parent);

    // What the menu's "Imagens" shows: the service's list when an adventure
    // is open, and the local files read again.
    void showFiles();
    void ListServerImages();
    void readLocalFiles();
    void File1Click();
    void Image7Click();
    void Image12Click();
    void Image13Click();

    SortedList *Lbx3 = nullptr;
    ImageButton *Image13 = nullptr;
    StatusLabel *St1 = nullptr;
    QListWidget *File1 = nullptr;
    ImageButton *Image7 = nullptr;
    ImageButton *Image12 = nullptr;
    StatusLabel *Stg = nullptr;
    QLabel *Img1 = nullptr;

private:
    void buildServerSide();
    void buildLocalSide();

    Workspace &m_work;
    PageEditor &m_editor;
};

// What the graphics and sound files pages share.

// A server file list: sorted, in three columns, italic navy on the window
// grey, without a border.
SortedList *serverFileList(QWidget *parent, const QString &name, const QRect &place);
// A list of the adventure folder's files.
QListWidget *localFileList(QWidget *parent, const QString &name, const QRect &place);
void fillLocalFiles(QListWidget *list, const Session &session, const QStringList &masks);
// The service's files of the kind; names that cannot be files are told in status.
void fillServerFiles(Workspace &work, SortedList *list, QLabel *status, ServerFileKind kind);
// The picked row's text, or nothing.
QString pickedName(const QListWidget *list);
// Uploads the local file, the indicator red meanwhile; the outcome in
// status. False when nothing could be sent.
bool UploadFile(Workspace &work, const QString &name, QLabel *status);
// Deletes the selected entry on the service; the entry leaves the list only
// when the service says "Ok".
void DeleteServerFile(Workspace &work, SortedList *list, QLabel *status);

inline const QString kUploading = QStringLiteral("Fazendo upload, aguarde...");

} // namespace nimbra
