#include "previewpage.h"

#include "hotspot.h"
#include "imageload.h"
#include "pump.h"
#include "skin.h"

#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>

namespace nimbra {

namespace {

constexpr QSize kIconSize(58, 58);
constexpr QSize kObjectsBarSize(696, 58);
constexpr QColor kHandleFill(0xFF, 0x80, 0x40);
constexpr QColor kHandleOutline(0x00, 0x80, 0xC0);

// The stock pictures' common look: a filled box, its frame and both diagonals.
QPixmap crossedBox(QSize size, const QColor &fill, const QColor &lines)
{
    QPixmap picture(size);
    picture.fill(fill);
    QPainter painter(&picture);
    painter.setPen(lines);
    const QRect box(QPoint(0, 0), size - QSize(1, 1));
    painter.drawRect(box);
    painter.drawLine(box.topLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomLeft());
    return picture;
}

// The picture of advFolder + name for a control now showing current. A file
// that is missing or unreadable shows the fallback; a kind of file the loader
// does not read leaves the control as it was.
QPixmap loadedPicture(const QString &advFolder, const QString &name, const QPixmap &current, QPixmap (*fallback)())
{
    if (!QFileInfo(advFolder + name).isFile())
        return fallback();
    const LoadedImage loaded = loadImageFile(advFolder, name, current.toImage(), Skin::WindowBackground);
    switch (loaded.outcome) {
    case LoadedImage::Outcome::Decoded:
        return QPixmap::fromImage(loaded.image);
    case LoadedImage::Outcome::Unchanged:
        return current;
    case LoadedImage::Outcome::Cleared:
    case LoadedImage::Outcome::Failed:
        break;
    }
    return fallback();
}

bool isPress(const QEvent &event)
{
    // The second press of a double click is a press too.
    return event.type() == QEvent::MouseButtonPress || event.type() == QEvent::MouseButtonDblClick;
}

bool isMouseEvent(const QEvent &event)
{
    return isPress(event) || event.type() == QEvent::MouseMove || event.type() == QEvent::MouseButtonRelease;
}

} // namespace

PreviewShape::PreviewShape(QWidget *parent, QPen pen, QBrush brush)
    : QWidget(parent), m_pen(std::move(pen)), m_brush(std::move(brush))
{
}

void PreviewShape::setPen(const QPen &pen)
{
    m_pen = pen;
    update();
}

void PreviewShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(m_pen);
    painter.setBrush(m_brush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

QPixmap PreviewPage::tela0() { return crossedBox(QSize(kScreenWidth, kScreenHeight), QColor(0xF4, 0xF4, 0xF4), QColor(0xC8, 0xC8, 0xC8)); }
QPixmap PreviewPage::Icc0() { return crossedBox(kIconSize, QColor(0xC0, 0xC0, 0xC0), Skin::Grey); }
QPixmap PreviewPage::Icc1() { return crossedBox(kIconSize, Qt::black, Skin::Grey); }
QPixmap PreviewPage::Obj0() { return crossedBox(kObjectsBarSize, QColor(0xC0, 0xC0, 0xC0), Skin::Grey); }
QPixmap PreviewPage::Obj1() { return crossedBox(kObjectsBarSize, QColor(0x40, 0x40, 0x40), QColor(0xA0, 0xA0, 0xA0)); }

PreviewPage::PreviewPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PreviewPage"));
    resize(920, 440);
    buildContent();
    buildIcons();
}

void PreviewPage::buildContent()
{
    Abook3 = new QStackedWidget(this);
    Abook3->setObjectName(QStringLiteral("Abook3"));
    Abook3->setGeometry(0, 0, kScreenWidth, kScreenHeight);
    auto *textPage = new QWidget(Abook3);
    textPage->setObjectName(QStringLiteral("Default"));
    auto *screenPage = new QWidget(Abook3);
    screenPage->setObjectName(QStringLiteral("Terla"));
    Abook3->addWidget(textPage);
    Abook3->addWidget(screenPage);

    Memo2 = new QPlainTextEdit(textPage);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setGeometry(0, 0, kScreenWidth, kScreenHeight);
    Memo2->setFrameShape(QFrame::NoFrame);
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setPixelSize(16);
    Memo2->setFont(courier);
    QPalette memoColours = Memo2->palette();
    memoColours.setColor(QPalette::Base, Skin::WindowBackground);
    Memo2->setPalette(memoColours);
    Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo2->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo2->viewport()->installEventFilter(this);

    Tela = new QLabel(screenPage);
    Tela->setObjectName(QStringLiteral("Tela"));
    Tela->setGeometry(0, 0, kScreenWidth, kScreenHeight);
    Tela->setScaledContents(true);
    Tela->installEventFilter(this);

    Shp1 = new PreviewShape(screenPage, QPen(HotspotPenColors[0], 1, Qt::DotLine), Qt::NoBrush);
    Shp1->setObjectName(QStringLiteral("Shp1"));
    Shp1->installEventFilter(this);
    Shp1->hide();
    Shp2 = new PreviewShape(screenPage, QPen(kHandleOutline), kHandleFill);
    Shp2->setObjectName(QStringLiteral("Shp2"));
    Shp2->resize(kHandleSize, kHandleSize);
    Shp2->installEventFilter(this);
    Shp2->hide();

    Abook3->setCurrentIndex(ScreenContent);
}

void PreviewPage::buildIcons()
{
    Mnu1 = pictureControl(QStringLiteral("Mnu1"), QRect(QPoint(862, 0), kIconSize));
    Mnu2 = pictureControl(QStringLiteral("Mnu2"), QRect(QPoint(862, 60), kIconSize));
    Mnu3 = pictureControl(QStringLiteral("Mnu3"), QRect(QPoint(862, 120), kIconSize));
    Mnu4 = pictureControl(QStringLiteral("Mnu4"), QRect(QPoint(862, 180), kIconSize));
    Mnu5 = pictureControl(QStringLiteral("Mnu5"), QRect(QPoint(862, 240), kIconSize));
    Mnu6 = pictureControl(QStringLiteral("Mnu6"), QRect(QPoint(862, 300), kIconSize));
    Mesq = pictureControl(QStringLiteral("Mesq"), QRect(QPoint(0, 382), kIconSize));
    Mtop = pictureControl(QStringLiteral("Mtop"), QRect(QPoint(789, 382), kIconSize));
    Mdir = pictureControl(QStringLiteral("Mdir"), QRect(QPoint(862, 382), kIconSize));
    m_icons = {Mnu1, Mnu2, Mnu3, Mnu4, Mnu5, Mnu6, Mesq, Mtop, Mdir};

    Shape2 = new PreviewShape(this, QPen(Skin::Grey), Skin::Grey);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setGeometry(0, 369, 920, 2);
    Objs = pictureControl(QStringLiteral("Objs"), QRect(QPoint(76, 382), kObjectsBarSize));
}

// Pictures sit at their natural size in the top-left corner, cut at the edges.
QLabel *PreviewPage::pictureControl(const QString &name, const QRect &place)
{
    auto *control = new QLabel(this);
    control->setObjectName(name);
    control->setGeometry(place);
    control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    control->installEventFilter(this);
    return control;
}

void PreviewPage::DrawPreviewIcons(const PageModel &page, const QString &advFolder)
{
    for (int k = 0; k < kIconCount; ++k) {
        const IconSlot &slot = page.IconSlots[k];
        QLabel *control = m_icons[k];
        control->setPixmap(slot.Mark.isEmpty() ? loadedPicture(advFolder, slot.Image, control->pixmap(), &Icc1)
                                               : Icc0());
    }
    Objs->setPixmap(page.ObjBarMark.isEmpty() ? Obj1() : Obj0());
}

void PreviewPage::showScreenImage(const QString &advFolder, const QString &name)
{
    Tela->setPixmap(loadedPicture(advFolder, name, Tela->pixmap(), &tela0));
}

void PreviewPage::showKind(const QString &pageKind)
{
    if (pageKind == QLatin1StringView("txt"))
        Abook3->setCurrentIndex(TextContent);
    else if (pageKind == QLatin1StringView("img"))
        Abook3->setCurrentIndex(ScreenContent);
}

void PreviewPage::showHotspot(QRect hotspot)
{
    placeHotspot(keptOnScreen(hotspot));
    Shp1->show();
    Shp2->show();
    Shp2->raise();
}

void PreviewPage::hideHotspot()
{
    Shp1->hide();
    Shp2->hide();
}

bool PreviewPage::hotspotVisible() const
{
    return !Shp1->isHidden();
}

QRect PreviewPage::hotspot() const
{
    return Shp1->geometry();
}

QColor PreviewPage::hotspotPen() const
{
    return Shp1->pen().color();
}

bool PreviewPage::eventFilter(QObject *watched, QEvent *event)
{
    if (!isMouseEvent(*event))
        return QWidget::eventFilter(watched, event);
    const auto &mouse = static_cast<const QMouseEvent &>(*event);
    if (watched == Shp1 || watched == Shp2)
        return hotspotMouse(watched, mouse);
    if (isPress(mouse) && watched == Tela)
        emit screenPressed();
    else if (isPress(mouse) && watched == Memo2->viewport())
        emit textPressed();
    else
        filterClick(watched, mouse);
    return false;
}

// A click is a left press and its release inside the same control; the
// second click of a double click does not count again.
void PreviewPage::filterClick(QObject *watched, const QMouseEvent &event)
{
    if (event.type() == QEvent::MouseButtonPress && event.button() == Qt::LeftButton) {
        m_clickStartedOn = watched;
        return;
    }
    if (event.type() == QEvent::MouseButtonDblClick)
        m_clickStartedOn = nullptr;
    if (event.type() != QEvent::MouseButtonRelease || event.button() != Qt::LeftButton || watched != m_clickStartedOn)
        return;
    m_clickStartedOn = nullptr;
    if (!static_cast<QWidget *>(watched)->rect().contains(event.position().toPoint()))
        return;
    if (watched == Objs) {
        emit objectsBarClicked();
        return;
    }
    for (int k = 0; k < kIconCount; ++k) {
        if (watched == m_icons[k])
            emit iconClicked(k + 1);
    }
}

bool PreviewPage::hotspotMouse(QObject *shape, const QMouseEvent &event)
{
    if (isPress(event))
        shpMouseDown(event);
    else if (event.type() == QEvent::MouseButtonRelease)
        shpMouseUp();
    else if (m_dragActive && shape == Shp1)
        shp1MouseMove(event);
    else if (m_dragActive)
        shp2MouseMove(event);
    return true;
}

void PreviewPage::shpMouseDown(const QMouseEvent &event)
{
    m_dragStart = event.position().toPoint();
    m_dragActive = true;
    if (event.button() == Qt::RightButton) {
        QPen pen = Shp1->pen();
        pen.setColor(HotspotPenColors[m_penColorIndex]);
        Shp1->setPen(pen);
        m_penColorIndex = (m_penColorIndex + 1) % int(HotspotPenColors.size());
    }
    emit hotspotDragStarted();
}

// The grab point stays under the mouse: the start point is kept for the
// whole drag, in the coordinates of the shape that moves with it.
void PreviewPage::shp1MouseMove(const QMouseEvent &event)
{
    placeHotspot(movedHotspot(hotspot(), event.position().toPoint() - m_dragStart));
    // The preview repaints while the author drags.
    letPendingMessagesBeProcessed();
    reportHotspot();
}

void PreviewPage::shp2MouseMove(const QMouseEvent &event)
{
    placeHotspot(resizedHotspot(hotspot(), Shp2->pos() + event.position().toPoint() - m_dragStart));
    reportHotspot();
}

void PreviewPage::shpMouseUp()
{
    m_dragActive = false;
    emit hotspotDragFinished();
}

void PreviewPage::placeHotspot(const QRect &hotspot)
{
    Shp1->setGeometry(hotspot);
    Shp2->move(handlePlace(hotspot));
}

void PreviewPage::reportHotspot()
{
    const HotspotTexts texts = hotspotTexts(hotspot());
    emit hotspotChanged(texts.Left, texts.Top, texts.Width, texts.Height);
}

} // namespace nimbra
