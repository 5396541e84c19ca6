#include "skinnedwindow.h"

#include "windowdrag.h"

#include "imagebutton.h"
#include "skin.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace nimbra {

namespace {

// The lock and close pictures are centred on the 24-px bar at its default place.
constexpr int IconTop = 6;

} // namespace

SkinnedWindow::SkinnedWindow(const Options &options, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint
                          | (options.stayOnTop ? Qt::WindowStaysOnTopHint : Qt::WindowFlags())),
      m_background(Skin::WindowBackground)
{
    setWindowTitle(options.title);
    setFixedSize(options.width, options.height);

    const QRect barRect =
        options.titleBarRect.isEmpty() ? QRect(1, 1, options.width - 2, 24) : options.titleBarRect;
    m_bar = new QLabel(this);
    m_bar->setObjectName(QStringLiteral("barra"));
    m_bar->setPixmap(Skin::titleBar());
    m_bar->setScaledContents(true);
    m_bar->setGeometry(barRect);
    addDragHandle(m_bar);

    m_title = new QLabel(options.title, this);
    m_title->setObjectName(QStringLiteral("lbTit"));
    m_title->setFont(Skin::titleFont(13));
    QPalette titleLook = m_title->palette();
    titleLook.setColor(QPalette::WindowText, Skin::TitleText);
    m_title->setPalette(titleLook);
    m_title->setGeometry(barRect.adjusted(8, 0, -8, 0));
    m_title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    addDragHandle(m_title);

    const int closeX = options.closeX >= 0 ? options.closeX : barRect.right() - 19;
    m_close = new ImageButton(this, QStringLiteral("Fecha a janela"));
    m_close->setObjectName(QStringLiteral("BtFch"));
    m_close->move(closeX, IconTop);
    connect(m_close, &ImageButton::clicked, this, &QWidget::hide);

    if (options.hasVerticalLock) {
        m_locked = true;
        m_lock = new QLabel(this);
        m_lock->setObjectName(QStringLiteral("Tic"));
        m_lock->setToolTip(QStringLiteral("Trava deslocamento vertical"));
        m_lock->setPixmap(Skin::tic2());
        m_lock->resize(m_lock->pixmap().size());
        m_lock->move(options.lockX >= 0 ? options.lockX : closeX - 18, IconTop);
        m_lock->installEventFilter(this);
    }
}

void SkinnedWindow::setVerticalLock(bool on)
{
    if (!m_lock || on == m_locked)
        return;
    m_locked = on;
    m_lock->setPixmap(on ? Skin::tic2() : Skin::tic1());
    if (on)
        move(x(), LockedTop);
    emit verticalLockChanged(on);
}

bool SkinnedWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_lock && m_lock) {
        if (event->type() == QEvent::MouseButtonPress) {
            setVerticalLock(!m_locked);
            return true;
        }
        return false;
    }
    if (!m_dragHandles.contains(watched))
        return false;
    return dragWindow(m_mover, event, this, verticalLock());
}

void SkinnedWindow::addDragHandle(QWidget *handle)
{
    m_dragHandles.append(handle);
    handle->installEventFilter(this);
}

void SkinnedWindow::setBackground(const QColor &colour)
{
    m_background = colour;
    update();
}

void SkinnedWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    painter.setPen(Skin::Frame);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace nimbra
