#include "storymapview.h"

#include "skin.h"
#include "textlines.h"

#include <QFontMetricsF>
#include <QGraphicsPolygonItem>
#include <QGraphicsSimpleTextItem>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <limits>

namespace nimbra {

namespace {

constexpr QColor kBoxFill{0xFF, 0xFF, 0xFF};
constexpr QColor kUnreachableFill{0xC8, 0xC8, 0xC8};
constexpr QColor kNotLoadedFill{0xF6, 0xE0, 0xE0};
constexpr QColor kHighlight{0xE0, 0x80, 0x00};
constexpr QColor kBroken{0xCC, 0x00, 0x00};
constexpr QColor kMapBackground{0xF4, 0xF4, 0xF4};

constexpr double kHeadLength = 9;
constexpr double kHeadHalfWidth = 4.5;
// Arrows keep to the right of their direction, so two pages that lead to
// each other show two arrows.
constexpr double kSideOffset = 4;
constexpr double kBrokenArrowLength = 34;
constexpr double kBrokenSlotHeight = 18;
constexpr double kSceneMargin = 300;
constexpr double kZoomStep = 1.15;

QFont mapFont(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QPointF unit(QPointF v)
{
    const double length = std::hypot(v.x(), v.y());
    return length > 0 ? v / length : QPointF();
}

// Where the ray from the rectangle's centre towards a point leaves it.
QPointF borderPoint(const QRectF &rect, QPointF towards)
{
    const QPointF c = rect.center();
    const QPointF d = towards - c;
    constexpr double none = std::numeric_limits<double>::infinity();
    const double sx = d.x() != 0 ? rect.width() / 2 / std::abs(d.x()) : none;
    const double sy = d.y() != 0 ? rect.height() / 2 / std::abs(d.y()) : none;
    return c + d * std::min({sx, sy, 1.0});
}

QPolygonF arrowHead(QPointF tip, QPointF comingFrom)
{
    const QPointF u = unit(tip - comingFrom);
    const QPointF base = tip - u * kHeadLength;
    const QPointF side(-u.y() * kHeadHalfWidth, u.x() * kHeadHalfWidth);
    return QPolygonF({tip, base + side, base - side});
}

QString statusLine(const MapPage &page)
{
    if (!page.Loaded)
        return QStringLiteral("não carregada");
    if (page.Unreachable)
        return QStringLiteral("inalcançável");
    return {};
}

QString boxHint(const MapPage &page)
{
    if (!page.Loaded)
        return page.Status;
    if (page.Unreachable)
        return QStringLiteral("Nenhuma página leva a esta página");
    return {};
}

} // namespace

PageBox::PageBox(const MapPage &page, const QImage &thumbnail, bool isStart)
    : m_page(page), m_thumbnail(thumbnail), m_isStart(isStart)
{
    setFlags(ItemIsMovable | ItemSendsGeometryChanges);
    setCursor(Qt::OpenHandCursor);
    setToolTip(boxHint(page));
    if (page.Returns) {
        m_returnMark = new QGraphicsSimpleTextItem(QStringLiteral("↩"), this);
        m_returnMark->setFont(mapFont(16, true));
        m_returnMark->setBrush(Skin::Navy);
        m_returnMark->setPos(Size.width() - 20, Size.height() - 22);
        m_returnMark->setToolTip(QStringLiteral("Volta à página de retorno (xvlt)"));
    }
}

void PageBox::setHighlighted(bool on)
{
    if (on == m_highlighted)
        return;
    m_highlighted = on;
    update();
}

QRectF PageBox::boundingRect() const
{
    // Room for the highlight's wide pen.
    return QRectF(QPointF(0, 0), Size).adjusted(-2, -2, 2, 2);
}

void PageBox::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const QRectF frame(QPointF(0, 0), Size);
    painter->fillRect(frame, !m_page.Loaded ? kNotLoadedFill : m_page.Unreachable ? kUnreachableFill : kBoxFill);
    QPen pen(m_highlighted ? kHighlight : Skin::Frame, m_highlighted ? 3 : 1);
    if (!m_page.Loaded)
        pen.setStyle(Qt::DashLine);
    painter->setPen(pen);
    painter->drawRect(frame);
    if (m_isStart) {
        painter->setPen(QPen(Skin::Frame, 1));
        painter->drawRect(frame.adjusted(3, 3, -3, -3));
    }

    const QRectF nameArea(7, 5, Size.width() - 44, 16);
    painter->setFont(mapFont(12, true));
    painter->setPen(Skin::Navy);
    painter->drawText(nameArea, Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetricsF(painter->font()).elidedText(m_page.Name, Qt::ElideRight, nameArea.width()));
    painter->setFont(mapFont(11));
    painter->setPen(Skin::Grey);
    // A page that did not come has no kind of its own to show.
    if (m_page.Loaded)
        painter->drawText(QRectF(Size.width() - 37, 5, 30, 16), Qt::AlignRight | Qt::AlignVCenter, m_page.Kind);

    paintContent(painter, QRectF(QPointF(6, 24), QSizeF(ThumbnailSize)));

    painter->setFont(mapFont(11, true));
    painter->setPen(m_page.Loaded ? Skin::Grey : Skin::Maroon);
    painter->drawText(QRectF(7, Size.height() - 17, Size.width() - 30, 14), Qt::AlignLeft | Qt::AlignVCenter,
                      statusLine(m_page));
}

void PageBox::paintContent(QPainter *painter, const QRectF &area) const
{
    if (!m_page.Loaded) {
        painter->setFont(mapFont(10));
        painter->setPen(Skin::Maroon);
        painter->drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_page.Status);
        return;
    }
    if (m_thumbnail.isNull())
        return;
    QRectF place(QPointF(0, 0), QSizeF(m_thumbnail.size()));
    place.moveCenter(area.center());
    painter->drawImage(place, m_thumbnail);
}

QVariant PageBox::itemChange(GraphicsItemChange change, const QVariant &value)
{
    if (change == ItemPositionHasChanged)
        for (LinkArrow *arrow : m_arrows)
            arrow->adjust();
    return QGraphicsItem::itemChange(change, value);
}

LinkArrow::LinkArrow(PageBox *from, PageBox *to, const QString &target, int brokenSlot)
    : m_from(from), m_to(to), m_target(target), m_slot(brokenSlot), m_head(new QGraphicsPolygonItem(this))
{
    const QColor colour = isBroken() ? kBroken : Skin::Navy;
    setPen(QPen(colour, 1.5));
    m_head->setPen(Qt::NoPen);
    m_head->setBrush(colour);
    if (isBroken()) {
        m_mark = new QGraphicsSimpleTextItem(QStringLiteral("? ") + trimLine(target), this);
        m_mark->setFont(mapFont(11, true));
        m_mark->setBrush(kBroken);
        m_mark->setToolTip(QStringLiteral("Nenhuma página com este nome"));
    }
    adjust();
}

void LinkArrow::adjust()
{
    const QPainterPath line = isBroken() ? brokenPath() : m_to == m_from ? loopPath() : linePath();
    setPath(line);
    const QPointF tip = line.pointAtPercent(1);
    const QPointF before = line.pointAtPercent(0.9);
    m_head->setPolygon(arrowHead(tip, before));
    if (m_mark)
        m_mark->setPos(tip + QPointF(4, -8));
}

QPainterPath LinkArrow::brokenPath() const
{
    const QRectF box = m_from->sceneBoundingRect();
    const QPointF start(box.right(), box.top() + 16 + m_slot * kBrokenSlotHeight);
    QPainterPath path(start);
    path.lineTo(start + QPointF(kBrokenArrowLength, 0));
    return path;
}

QPainterPath LinkArrow::loopPath() const
{
    const QRectF box = m_from->sceneBoundingRect();
    const QPointF start(box.right() - 30, box.top());
    const QPointF end(box.right(), box.top() + 24);
    QPainterPath path(start);
    path.cubicTo(start + QPointF(0, -36), end + QPointF(36, 0), end);
    return path;
}

QPainterPath LinkArrow::linePath() const
{
    const QRectF a = m_from->sceneBoundingRect();
    const QRectF b = m_to->sceneBoundingRect();
    const QPointF u = unit(b.center() - a.center());
    const QPointF side(-u.y() * kSideOffset, u.x() * kSideOffset);
    QPainterPath path(borderPoint(a, b.center()) + side);
    path.lineTo(borderPoint(b, a.center()) + side);
    return path;
}

StoryMapView::StoryMapView(QWidget *parent) : QGraphicsView(parent), m_scene(new QGraphicsScene(this))
{
    setScene(m_scene);
    setRenderHint(QPainter::Antialiasing);
    setDragMode(ScrollHandDrag);
    setTransformationAnchor(AnchorUnderMouse);
    setBackgroundBrush(kMapBackground);
}

void StoryMapView::showMap(const StoryMap &map, const std::vector<QPointF> &places,
                           const std::vector<QImage> &thumbnails)
{
    m_dragged = nullptr;
    m_arrows.clear();
    m_boxes.clear();
    m_scene->clear();
    for (size_t i = 0; i < map.Pages.size(); ++i) {
        auto *box = new PageBox(map.Pages[i], i < thumbnails.size() ? thumbnails[i] : QImage(),
                                int(i) == map.StartPage);
        box->setPos(i < places.size() ? places[i] : QPointF());
        box->setZValue(1);
        m_scene->addItem(box);
        m_boxes.push_back(box);
    }
    addArrows(map);
    fitSceneRect();
    zoomToShowAll();
    if (map.StartPage >= 0)
        centerOn(m_boxes[size_t(map.StartPage)]);
}

void StoryMapView::addArrows(const StoryMap &map)
{
    std::vector<int> brokenSlots(m_boxes.size(), 0);
    for (const MapLink &link : map.Links) {
        PageBox *from = m_boxes[size_t(link.From)];
        PageBox *to = link.To >= 0 ? m_boxes[size_t(link.To)] : nullptr;
        auto *arrow = new LinkArrow(from, to, link.Target, to ? 0 : brokenSlots[size_t(link.From)]++);
        m_scene->addItem(arrow);
        from->attach(arrow);
        if (to && to != from)
            to->attach(arrow);
        m_arrows.push_back(arrow);
    }
}

void StoryMapView::fitSceneRect()
{
    // A margin round the boxes lets the background be dragged even when the
    // whole map fits in the view.
    m_scene->setSceneRect(
        m_scene->itemsBoundingRect().adjusted(-kSceneMargin, -kSceneMargin, kSceneMargin, kSceneMargin));
}

void StoryMapView::zoomToShowAll()
{
    // The whole adventure at a glance, but never larger than life and never
    // smaller than the wheel can zoom.
    const QRectF all = m_scene->itemsBoundingRect();
    if (all.isEmpty())
        return;
    // The view's own size: the viewport has none yet while the window is hidden.
    const QSize room = contentsRect().size();
    const double fit = std::min(room.width() / all.width(), room.height() / all.height());
    const double wanted = std::clamp(fit, MinZoom, 1.0);
    setTransform(QTransform::fromScale(wanted, wanted));
}

void StoryMapView::highlight(const QString &name)
{
    PageBox *chosen = box(name);
    for (PageBox *b : m_boxes)
        b->setHighlighted(b == chosen);
    if (chosen)
        centerOn(chosen);
}

PageBox *StoryMapView::box(const QString &name) const
{
    const QString key = UnderscoreToBlank(name);
    const auto found = std::find_if(m_boxes.begin(), m_boxes.end(), [&](PageBox *b) { return b->page().Name == key; });
    return found == m_boxes.end() ? nullptr : *found;
}

PageBox *StoryMapView::boxAt(QPoint viewPlace) const
{
    for (QGraphicsItem *item : items(viewPlace))
        if (auto *b = qgraphicsitem_cast<PageBox *>(item->topLevelItem()))
            return b;
    return nullptr;
}

void StoryMapView::wheelEvent(QWheelEvent *event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0) {
        QGraphicsView::wheelEvent(event);
        return;
    }
    const double wanted = std::clamp(zoom() * std::pow(kZoomStep, steps), MinZoom, MaxZoom);
    const double factor = wanted / zoom();
    scale(factor, factor);
    event->accept();
}

void StoryMapView::mousePressEvent(QMouseEvent *event)
{
    QGraphicsView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    m_dragged = boxAt(event->position().toPoint());
    if (m_dragged)
        m_dragStart = m_dragged->pos();
}

void StoryMapView::mouseReleaseEvent(QMouseEvent *event)
{
    QGraphicsView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !m_dragged)
        return;
    PageBox *moved = std::exchange(m_dragged, nullptr);
    if (moved->pos() == m_dragStart)
        return;
    // Whole map units: what the places file keeps exactly.
    moved->setPos(moved->pos().toPoint());
    fitSceneRect();
    emit boxMoved(moved->page().Name, moved->pos());
}

void StoryMapView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (PageBox *b = boxAt(event->position().toPoint())) {
        event->accept();
        emit pageActivated(b->page().Name);
        return;
    }
    QGraphicsView::mouseDoubleClickEvent(event);
}

} // namespace nimbra
