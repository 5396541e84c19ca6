#pragma once

#include <QPixmap>
#include <QWidget>

// Two pictures look the same when their pixels do.
inline bool sameLook(const QPixmap &a, const QPixmap &b)
{
    return !a.isNull() && a.toImage().convertToFormat(QImage::Format_RGB32)
                              == b.toImage().convertToFormat(QImage::Format_RGB32);
}

inline QColor textColour(const QWidget &w)
{
    return w.palette().color(w.foregroundRole());
}
