#include "sortedlist.h"

#include "formkit.h"
#include "skin.h"

namespace nimbra {

namespace {

class CaselessItem final : public QListWidgetItem {
public:
    using QListWidgetItem::QListWidgetItem;
    bool operator<(const QListWidgetItem &other) const override
    {
        const int c = text().compare(other.text(), Qt::CaseInsensitive);
        return c != 0 ? c < 0 : text() < other.text();
    }
};

} // namespace

SortedList::SortedList(QWidget *parent) : QListWidget(parent)
{
    setFont(arialFont(16));
    setTextColour(this, Skin::Navy);
    setUniformItemSizes(true);
    setSortingEnabled(true);
    setStyleSheet(QStringLiteral("QListWidget::item { height: 22px; }"));
    connect(this, &QAbstractItemView::pressed, this, [this](const QModelIndex &index) { m_pressed = index; });
}

void SortedList::addRow(const QString &text)
{
    addItem(new CaselessItem(text));
}

int SortedList::rowOf(const QString &text) const
{
    for (int row = 0; row < count(); ++row) {
        if (item(row)->text() == text)
            return row;
    }
    return -1;
}

bool SortedList::selectRow(const QString &text)
{
    const int row = rowOf(text);
    if (row >= 0)
        setCurrentRow(row);
    return row >= 0;
}

} // namespace nimbra

namespace nimbra {

void SortedList::removeRow(QListWidgetItem *row)
{
    delete takeItem(this->row(row));
    setCurrentItem(nullptr);
    clearSelection();
}

QListWidgetItem *SortedList::takePressedRow()
{
    QListWidgetItem *row = m_pressed.isValid() ? itemFromIndex(m_pressed) : nullptr;
    m_pressed = QPersistentModelIndex();
    return row;
}

} // namespace nimbra
