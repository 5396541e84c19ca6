#pragma once

#include "pagemodel.h"

#include <QBrush>
#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QPen>
#include <QPlainTextEdit>
#include <QPoint>
#include <QRect>
#include <QStackedWidget>
#include <QString>
#include <QWidget>

#include <array>

class QMouseEvent;

namespace nimbra {

// A rectangle drawn with an outline and a fill, as the page's shapes are.
class PreviewShape final : public QWidget {
public:
    PreviewShape(QWidget *parent, QPen pen, QBrush brush);

    QPen pen() const { return m_pen; }
    void setPen(const QPen &pen);
    QBrush brush() const { return m_brush; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPen m_pen;
    QBrush m_brush;
};

// The adventure page at 1:1: the text or the screen picture with the hotspot
// editor, the nine icons and the objects bar. It shows what it is given and
// reports the author's clicks; the page model stays with its owner.
class PreviewPage final : public QWidget {
    Q_OBJECT
public:
    explicit PreviewPage(QWidget *parent = nullptr);

    enum ContentPage { TextContent = 0, ScreenContent };

    // Outline colours of the hotspot, taken in turn by right-clicks.
    static constexpr std::array<QColor, 7> HotspotPenColors{
        QColor(0x00, 0x00, 0xFF), QColor(0x00, 0x00, 0x00), QColor(0xFF, 0xFF, 0xFF), QColor(0x00, 0xFF, 0xFF),
        QColor(0xFF, 0x00, 0x00), QColor(0x80, 0x00, 0x00), QColor(0x00, 0xFF, 0x00)};

    // Stock pictures for what the page lacks.
    static QPixmap tela0(); // screen picture whose file is missing
    static QPixmap Icc0();  // icon switched off
    static QPixmap Icc1();  // icon switched on whose picture is missing
    static QPixmap Obj0();  // objects bar switched off
    static QPixmap Obj1();  // objects bar switched on

    // Paints the nine icons and the objects bar from the page's model; the
    // icons' pictures are files of advFolder.
    void DrawPreviewIcons(const PageModel &page, const QString &advFolder);
    // The screen picture advFolder + name, or tela0 when it cannot be shown.
    void showScreenImage(const QString &advFolder, const QString &name);
    // "txt" shows the text, "img" the screen picture; other kinds change nothing.
    void showKind(const QString &pageKind);

    // Shows the hotspot, kept on the screen, with its handle.
    void showHotspot(QRect hotspot);
    void hideHotspot();
    bool hotspotVisible() const;
    QRect hotspot() const;
    QColor hotspotPen() const;

    QStackedWidget *Abook3 = nullptr;
    QPlainTextEdit *Memo2 = nullptr;
    QLabel *Tela = nullptr;
    PreviewShape *Shp1 = nullptr;
    PreviewShape *Shp2 = nullptr;
    QLabel *Mnu1 = nullptr;
    QLabel *Mnu2 = nullptr;
    QLabel *Mnu3 = nullptr;
    QLabel *Mnu4 = nullptr;
    QLabel *Mnu5 = nullptr;
    QLabel *Mnu6 = nullptr;
    QLabel *Mesq = nullptr;
    QLabel *Mtop = nullptr;
    QLabel *Mdir = nullptr;
    PreviewShape *Shape2 = nullptr;
    QLabel *Objs = nullptr;

    // The icon control of slot 1 to 9.
    QLabel *icon(int slot) const { return m_icons.at(slot - 1); }

signals:
    void iconClicked(int slot);
    void objectsBarClicked();
    void screenPressed();
    void textPressed();
    void hotspotDragStarted();
    // After every step of a move or resize, in the link edits' form.
    void hotspotChanged(const QString &left, const QString &top, const QString &width, const QString &height);
    void hotspotDragFinished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildContent();
    void buildIcons();
    QLabel *pictureControl(const QString &name, const QRect &place);
    void showIconPicture(QLabel *control, const QString &advFolder, const QString &image);

    void filterClick(QObject *watched, const QMouseEvent &event);
    bool hotspotMouse(QObject *shape, const QMouseEvent &event);
    void shpMouseDown(const QMouseEvent &event);
    void shp1MouseMove(const QMouseEvent &event);
    void shp2MouseMove(const QMouseEvent &event);
    void shpMouseUp();
    void placeHotspot(const QRect &hotspot);
    void reportHotspot();

    std::array<QLabel *, kIconCount> m_icons{};
    QObject *m_clickStartedOn = nullptr;
    bool m_dragActive = false;
    QPoint m_dragStart;
    int m_penColorIndex = 1;
};

} // namespace nimbra
