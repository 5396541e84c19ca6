#include "objectspage.h"

#include "adventure.h"

#include "filenames.h"
#include "formkit.h"
#include "imageload.h"
#include "imagebutton.h"
#include "pageeditor.h"
#include "previewpage.h"
#include "reply.h"
#include "skin.h"
#include "statuslabel.h"
#include "textlines.h"
#include "workspace.h"

#include <QFileInfo>

namespace nimbra {

namespace {

constexpr int kListWidth = 400;
constexpr int kColumns = 3;
constexpr int kRowHeight = 22;
constexpr int kPictureSize = 58;

QLineEdit *courierEdit(QWidget *parent, int x, int y, const QString &label)
{
    QLineEdit *box = edit(parent, x, y, 240, label);
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(16);
    box->setFont(font);
    return box;
}

} // namespace

ObjectsPage::ObjectsPage(Workspace &work, PageEditor &editor, QWidget *parent) : QWidget(parent), m_work(work), m_editor(editor)
{
    buildList();
    separator(this, 272);
    const Row initial = buildRow(282, QStringLiteral("Objetos no início"), 1);
    LocObj1 = initial.Location;
    ShpObj1 = initial.Shape;
    FigObj1 = initial.Picture;
    btObj1 = initial.Button;
    lbObj1 = initial.Status;
    separator(this, 418);
    const Row current = buildRow(428, QStringLiteral("Objetos atuais"), 2);
    LocObj2 = current.Location;
    ShpObj2 = current.Shape;
    FigObj2 = current.Picture;
    btObj2 = current.Button;
    lbObj2 = current.Status;
    separator(this, 564);
    buildCreation();
}

void ObjectsPage::buildList()
{
    caption(this, 0, 0, QStringLiteral("Objetos da aventura:"));
    Lbx4 = new SortedList(this);
    Lbx4->setObjectName(QStringLiteral("Lbx4"));
    Lbx4->setGeometry(5, 25, kListWidth, 240);
    Lbx4->setFont(arialFont(16, false, true));
    QPalette colours = Lbx4->palette();
    colours.setColor(QPalette::Base, Skin::WindowBackground);
    Lbx4->setPalette(colours);
    // Three columns: the names run down the first, then on to the next.
    Lbx4->setFlow(QListView::TopToBottom);
    Lbx4->setWrapping(true);
    Lbx4->setResizeMode(QListView::Adjust);
    Lbx4->setGridSize(QSize((kListWidth - 4) / kColumns, kRowHeight));
    connect(Lbx4, &QListWidget::itemClicked, this, &ObjectsPage::FetchObject);
}

ObjectsPage::Row ObjectsPage::buildRow(int y, const QString &heading, int number)
{
    const QString n = QString::number(number);
    caption(this, 5, y, heading);
    Row row{};
    row.Location = courierEdit(this, 60, y + 25, QStringLiteral("local"));
    row.Location->setObjectName(QStringLiteral("LocObj") + n);
    row.Shape = courierEdit(this, 60, y + 55, QStringLiteral("shape"));
    row.Shape->setObjectName(QStringLiteral("ShpObj") + n);
    row.Picture = new QLabel(this);
    row.Picture->setObjectName(QStringLiteral("FigObj") + n);
    row.Picture->setGeometry(335, y + 20, kPictureSize, kPictureSize);
    row.Picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    row.Picture->setPixmap(PreviewPage::Icc0());
    row.Button = actionButton(this, 15, y + 92, QStringLiteral("Atualizar"), QStringLiteral("btObj") + n);
    row.Status = status(this, 120, y + 92, QStringLiteral("lbObj") + n, 280, 36);
    connect(row.Button, &ImageButton::clicked, this,
            number == 1 ? &ObjectsPage::btObj1Click : &ObjectsPage::btObj2Click);
    return row;
}

void ObjectsPage::buildCreation()
{
    Edit21 = edit(this, 60, 578, 200, QStringLiteral("Nome:"), 16);
    Edit21->setObjectName(QStringLiteral("Edit21"));
    Image26 = actionButton(this, 15, 612, QStringLiteral("Criar novo objeto na aventura"), QStringLiteral("Image26"));
    connect(Image26, &ImageButton::clicked, this, &ObjectsPage::Image26Click);
    Lb77 = status(this, 40, 630, QStringLiteral("Lb77"), 360, 44);
}

void ObjectsPage::ListObjects()
{
    Lbx4->clear();
    for (const QString &name : m_work.service.listObjects())
        Lbx4->addRow(name);
}

void ObjectsPage::FetchObject()
{
    const QListWidgetItem *selected = Lbx4->currentItem();
    if (!selected)
        return;
    const Reply reply = m_work.service.object(trimLine(selected->text()));
    if (!reply.isOk())
        return;
    const std::optional<ObjectData> data = readObjectData(reply);
    if (!data) {
        showStatus(lbObj1, kShortObjectReply);
        showStatus(lbObj2, kShortObjectReply);
        return;
    }
    showPlace(initialRow(), data->Initial);
    showPlace(currentRow(), data->Current);
}

void ObjectsPage::showPlace(const Row &row, const ObjectPlace &place)
{
    row.Location->setText(place.Location);
    row.Shape->setText(place.Shape);
    showStatus(row.Status, showPicture(row.Picture, place.Shape));
}

QString ObjectsPage::showPicture(QLabel *picture, const QString &shape)
{
    const QString &folder = m_work.session.AdvFolder;
    // A missing file is the common case: the stock picture and no text.
    const bool missing = isPlainFileName(shape) && !QFileInfo::exists(folder + shape);
    const LoadedImage loaded =
        missing ? LoadedImage{} : loadImageFile(folder, shape, QImage(), Skin::WindowBackground);
    const bool decoded = loaded.outcome == LoadedImage::Outcome::Decoded;
    picture->setPixmap(decoded ? QPixmap::fromImage(loaded.image) : PreviewPage::Icc0());
    return loaded.outcome == LoadedImage::Outcome::Failed ? loaded.error : QString();
}

void ObjectsPage::btObj1Click()
{
    updatePair(initialRow());
}

void ObjectsPage::btObj2Click()
{
    updatePair(currentRow());
}

void ObjectsPage::updatePair(const Row &row)
{
    showStatus(row.Status, QString());
    const QListWidgetItem *selected = Lbx4->currentItem();
    if (!selected) {
        showStatus(row.Status, QStringLiteral("Selecione objeto!"));
        return;
    }
    if (row.Location->text().isEmpty()) {
        showStatus(row.Status, QStringLiteral("Falta nome do local!"));
        return;
    }
    const QString shape = trimLine(row.Shape->text());
    const Reply reply = m_work.service.putObject(trimLine(selected->text()), trimLine(row.Location->text()), shape);
    showPicture(row.Picture, shape);
    showStatus(row.Status, reply.text());
    // The run view shows what the change did to the page.
    m_editor.adventureFilesChanged();
}

bool ObjectsPage::isListed(const QString &name) const
{
    return Lbx4->rowOf(name) >= 0;
}

void ObjectsPage::Image26Click()
{
    const QString name = Edit21->text();
    if (name.isEmpty()) {
        showStatus(Lb77, QStringLiteral("Defina um nome!!!"));
        return;
    }
    if (isListed(name)) {
        showStatus(Lb77, kObjectExists);
        return;
    }
    const QString reply = m_work.service.newObject(name);
    if (reply != QLatin1StringView("Ok")) {
        showStatus(Lb77, reply);
        return;
    }
    Lbx4->addRow(name);
}

} // namespace nimbra
