#pragma once

#include <QListWidget>

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
};

} // namespace nimbra
