#pragma once

#include <QLabel>
#include <QPixmap>
#include <QString>

namespace nimbra {

// A picture that acts as a button: a released and a pressed look.
// The picture fills the geometry the window gives it; its 2-px edges keep
// their width, so a 20x14 picture serves buttons of any size. An optional
// caption is drawn over it.
class ImageButton : public QLabel {
    Q_OBJECT
public:
    ImageButton(QWidget *parent, QPixmap released, QPixmap pressed, const QString &hint = {});
    // The menu and action button look.
    explicit ImageButton(QWidget *parent, const QString &hint = {});

    void setLooks(QPixmap released, QPixmap pressed);
    QPixmap releasedLook() const { return m_released; }
    QPixmap pressedLook() const { return m_pressed; }
    bool isDown() const { return m_down; }

    void setCaption(const QString &caption);
    QString caption() const { return m_caption; }

signals:
    void pressed();
    // Emitted while the button still shows its pressed look.
    void clicked();
    void released();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void showLook(bool down);

    QPixmap m_released;
    QPixmap m_pressed;
    QString m_caption;
    bool m_down = false;
};

} // namespace nimbra
