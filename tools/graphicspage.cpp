#include "graphicspage.h"

#include "formkit.h"
#include "imagebutton.h"
#include "imageload.h"
#include "pageeditor.h"
#include "pump.h"
#include "skin.h"
#include "statuslabel.h"
#include "workspace.h"

namespace nimbra {

namespace {

constexpr int kPreviewWidth = 221;
constexpr int kColumns = 3;

void showFileListLook(QListWidget *list, const QRect &place)
{
    list->setGeometry(place);
    list->setFont(arialFont(16, false, true));
    list->setFrameShape(QFrame::NoFrame);
    QPalette look = list->palette();
    look.setColor(QPalette::Base, Skin::WindowBackground);
    look.setColor(QPalette::Text, Skin::Navy);
    list->setPalette(look);
}

} // namespace

SortedList *serverFileList(QWidget *parent, const QString &name, const QRect &place)
{
    auto *list = new SortedList(parent);
    list->setObjectName(name);
    showFileListLook(list, place);
    // Columns side by side, filled top to bottom, as the service's lists are long.
    list->setFlow(QListView::TopToBottom);
    list->setWrapping(true);
    list->setResizeMode(QListView::Adjust);
    list->setGridSize(QSize(place.width() / kColumns, 22));
    return list;
}

QListWidget *localFileList(QWidget *parent, const QString &name, const QRect &place)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(name);
    list->setGeometry(place);
    list->setFont(arialFont(13));
    return list;
}

void fillLocalFiles(QListWidget *list, const Session &session, const QStringList &masks)
{
    list->clear();
    QString why;
    if (const std::optional<QString> folder = adventureFolder(session, &why))
        list->addItems(localFiles(*folder, masks));
}

void fillServerFiles(Workspace &work, SortedList *list, QLabel *status, ServerFileKind kind)
{
    list->clear();
    const ListedNames names = serverFileNames(work.service.listServerFiles(), kind);
    for (const QString &name : names.Shown)
        list->addRow(name);
    if (!names.Refused.isEmpty())
        showStatus(status, refusedNamesStatus(names.Refused));
}

QString pickedName(const QListWidget *list)
{
    const QListWidgetItem *row = list->currentItem();
    return row && row->isSelected() ? row->text() : QString();
}

bool UploadFile(Workspace &work, const QString &name, QLabel *status)
{
    QString why;
    const std::optional<QString> path = uploadablePath(work.session, name, &why);
    if (!path) {
        showStatus(status, why);
        return false;
    }
    work.setActivity(Activity::Upload);
    showStatus(status, kUploading);
    const QString reply = work.service.uploadFile(*path, name);
    work.setActivity(Activity::Rest);
    showStatus(status, reply);
    return true;
}

void DeleteServerFile(Workspace &work, SortedList *list, QLabel *status)
{
    QListWidgetItem *row = list->currentItem();
    if (list->count() == 0 || !row || !row->isSelected())
        return;
    const QString reply = work.service.deleteFile(row->text());
    if (Reply(reply).isOk())
        list->removeRow(row);
    showStatus(status, reply);
}

GraphicsPage::GraphicsPage(Workspace &work, PageEditor &editor, QWidget *parent) : QWidget(parent), m_work(work), m_editor(editor)
{
    buildServerSide();
    separator(this, 340);
    buildLocalSide();
}

void GraphicsPage::buildServerSide()
{
    caption(this, 5, 0, QStringLiteral("Imagens (servidor)..."));
    Lbx3 = serverFileList(this, QStringLiteral("Lbx3"), QRect(5, 25, 400, 266));
    Image13 = actionButton(this, 10, 300, QStringLiteral("Deletar arquivo do servidor..."), QStringLiteral("Image13"));
    connect(Image13, &ImageButton::clicked, this, &GraphicsPage::Image13Click);
    St1 = status(this, 35, 318, QStringLiteral("St1"));
}

void GraphicsPage::buildLocalSide()
{
    caption(this, 5, 350, QStringLiteral("Imagens (local)..."));
    File1 = localFileList(this, QStringLiteral("File1"), QRect(5, 375, 166, 284));
    connect(File1, &QListWidget::itemClicked, this, &GraphicsPage::File1Click);
    Image7 = actionButton(this, 180, 378, QStringLiteral("Copiar nome"), QStringLiteral("Image7"));
    connect(Image7, &ImageButton::clicked, this, &GraphicsPage::Image7Click);
    Image12 = actionButton(this, 180, 403, QStringLiteral("Upload do arquivo..."), QStringLiteral("Image12"));
    connect(Image12, &ImageButton::clicked, this, &GraphicsPage::Image12Click);
    Stg = status(this, 185, 423, QStringLiteral("Stg"), 196, 51);
    Img1 = new QLabel(this);
    Img1->setObjectName(QStringLiteral("Img1"));
    Img1->move(180, 480);
}

void GraphicsPage::showFiles()
{
    if (!m_work.session.AdvPrefix.isEmpty())
        ListServerImages();
    readLocalFiles();
}

void GraphicsPage::ListServerImages()
{
    fillServerFiles(m_work, Lbx3, St1, ServerFileKind::Image);
}

void GraphicsPage::readLocalFiles()
{
    fillLocalFiles(File1, m_work.session, kImageMasks);
}

void GraphicsPage::File1Click()
{
    const QString name = pickedName(File1);
    QString why;
    const std::optional<QString> folder = adventureFolder(m_work.session, &why);
    if (name.isEmpty() || !folder)
        return;
    Img1->setScaledContents(false);
    const LoadedImage loaded = loadImageFile(*folder, name, Img1->pixmap().toImage());
    // The status is the last pick's: a good one clears an earlier refusal.
    showStatus(Stg, loaded.outcome == LoadedImage::Outcome::Failed ? loaded.error : kStatusRest);
    Img1->setPixmap(QPixmap::fromImage(loaded.image));
    Img1->resize(loaded.image.size());
    letPendingMessagesBeProcessed();
    if (Img1->width() > kPreviewWidth) {
        Img1->setScaledContents(true);
        Img1->resize(kPreviewWidth, Img1->height() * kPreviewWidth / Img1->width());
    }
}

void GraphicsPage::Image7Click()
{
    m_work.session.PickedFileName = pickedName(File1);
}

void GraphicsPage::Image12Click()
{
    if (!UploadFile(m_work, pickedName(File1), Stg))
        return;
    ListServerImages();
    // The page shows the new picture; edits not yet stored are kept.
    m_editor.adventureFilesChanged();
}

void GraphicsPage::Image13Click()
{
    DeleteServerFile(m_work, Lbx3, St1);
}

} // namespace nimbra
