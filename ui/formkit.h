#pragma once

// The few control kinds every page of the tools and preview windows is made
// of, placed at fixed pixel positions in the client's look.
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QString>

namespace nimbra {

class ImageButton;
class StatusLabel;

QFont arialFont(int pixels, bool bold = false, bool italic = false);
void setTextColour(QWidget *widget, const QColor &colour);
// Fills the widget's own background with colour.
void setBackgroundColour(QWidget *widget, const QColor &colour);
QColor backgroundColour(const QWidget *widget);

QLabel *caption(QWidget *parent, int x, int y, const QString &text, int pixels = 13, bool bold = true);
// An edit with its caption label at its left; maxLength 0 means no limit.
QLineEdit *edit(QWidget *parent, int x, int y, int width, const QString &label = {}, int maxLength = 0);
// An image button with its caption 25 pixels to its right.
ImageButton *actionButton(QWidget *parent, int x, int y, const QString &text, const QString &name);
StatusLabel *status(QWidget *parent, int x, int y, const QString &name, int width = 0, int height = 0);
// A list row that stands for a page: its text in colour, the page kept
// (Qt::UserRole) for when the row is activated.
void addPageRow(QListWidget *list, const QString &text, const QString &page, const QColor &colour);
// A 3-pixel line across the page.
void separator(QWidget *parent, int y, int width = 400);

} // namespace nimbra

namespace nimbra {
// Puts a text into a status label and paints it at once.
void showStatus(QLabel *label, const QString &text);
} // namespace nimbra
