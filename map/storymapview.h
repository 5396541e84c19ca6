#pragma once

#include "storymap.h"

#include <QGraphicsItem>
#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QPointF>
#include <QString>

#include <vector>

class QGraphicsPolygonItem;
class QGraphicsSimpleTextItem;

namespace nimbra {

class LinkArrow;

// One page on the map: its name, kind and screen image, with marks for the
// start page, a return link, a page nothing leads to and a failed fetch.
// The author drags it around; its arrows follow.
class PageBox final : public QGraphicsItem {
public:
    enum { Type = UserType + 1 };
    static constexpr QSizeF Size{160, 100};
    static constexpr QSize ThumbnailSize{148, 58};

    PageBox(const MapPage &page, const QImage &thumbnail, bool isStart);

    const MapPage &page() const { return m_page; }
    bool isStart() const { return m_isStart; }
    bool hasThumbnail() const { return !m_thumbnail.isNull(); }
    // The "xvlt" mark: a way back to the return page, not an arrow.
    QGraphicsSimpleTextItem *returnMark() const { return m_returnMark; }

    void setHighlighted(bool on);
    bool isHighlighted() const { return m_highlighted; }

    void attach(LinkArrow *arrow) { m_arrows.push_back(arrow); }

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

private:
    void paintContent(QPainter *painter, const QRectF &area) const;

    MapPage m_page;
    QImage m_thumbnail;
    bool m_isStart = false;
    bool m_highlighted = false;
    QGraphicsSimpleTextItem *m_returnMark = nullptr;
    std::vector<LinkArrow *> m_arrows;
};

// One active link: an arrow to the page it leads to, a loop for a page that
// leads to itself, or, for a target that names no page, a red arrow to a red
// mark with the target beside the box.
class LinkArrow final : public QGraphicsPathItem {
public:
    enum { Type = UserType + 2 };

    // to is null for a broken link; brokenSlot stacks the marks of one box.
    LinkArrow(PageBox *from, PageBox *to, const QString &target, int brokenSlot = 0);

    PageBox *from() const { return m_from; }
    PageBox *to() const { return m_to; }
    const QString &target() const { return m_target; }
    bool isBroken() const { return m_to == nullptr; }

    // Redraws the arrow between the boxes where they are now.
    void adjust();

    int type() const override { return Type; }

private:
    QPainterPath brokenPath() const;
    QPainterPath loopPath() const;
    QPainterPath linePath() const;

    PageBox *m_from;
    PageBox *m_to;
    QString m_target;
    int m_slot;
    QGraphicsPolygonItem *m_head;
    QGraphicsSimpleTextItem *m_mark = nullptr;
};

// The whole adventure at a glance: wheel zoom, drag the background to pan,
// drag a box to move it, double-click a box to open its page.
class StoryMapView final : public QGraphicsView {
    Q_OBJECT
public:
    static constexpr double MinZoom = 0.2;
    static constexpr double MaxZoom = 4.0;

    explicit StoryMapView(QWidget *parent = nullptr);

    // places and thumbnails have one entry per page of map.
    void showMap(const StoryMap &map, const std::vector<QPointF> &places, const std::vector<QImage> &thumbnails);
    // Marks the one box of name (blank or "_" alike) and brings it into
    // view; a name not on the map marks none.
    void highlight(const QString &name);

    PageBox *box(const QString &name) const;
    const std::vector<PageBox *> &boxes() const { return m_boxes; }
    const std::vector<LinkArrow *> &arrows() const { return m_arrows; }
    double zoom() const { return transform().m11(); }

signals:
    void pageActivated(const QString &name);
    void boxMoved(const QString &name, QPointF place);

protected:
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    PageBox *boxAt(QPoint viewPlace) const;
    void addArrows(const StoryMap &map);
    void fitSceneRect();
    void zoomToShowAll();

    QGraphicsScene *m_scene;
    std::vector<PageBox *> m_boxes;
    std::vector<LinkArrow *> m_arrows;
    PageBox *m_dragged = nullptr;
    QPointF m_dragStart;
};

} // namespace nimbra
