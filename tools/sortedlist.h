#pragma once

#include <QListWidget>
#include <QPersistentModelIndex>

namespace nimbra {

// A list box that keeps its rows in alphabetical order regardless of case,
// in Arial 16 px navy with 22-pixel rows.
class SortedList final : public QListWidget {
    Q_OBJECT
public:
    explicit SortedList(QWidget *parent);
    void addRow(const QString &text);
    // Selects the first row equal to text; false when there is none.
    bool selectRow(const QString &text);
    // The first row equal to text, or -1.
    int rowOf(const QString &text) const;
    // Removes the row and leaves no row picked: the row after it must not
    // become the author's pick by itself.
    void removeRow(QListWidgetItem *row);
    // The row the last press picked, taken once: a click acts on the row
    // pressed, never on one that moved under the mouse since.
    QListWidgetItem *takePressedRow();

private:
    QPersistentModelIndex m_pressed;
};

} // namespace nimbra
