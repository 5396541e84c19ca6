#pragma once

#include "sortedlist.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace nimbra {

class ImageButton;
struct ObjectPlace;
class StatusLabel;
struct Workspace;
class PageEditor;

// "Objetos": the adventure's objects, the place and picture of the selected
// one at the start and at present, and new objects.
class ObjectsPage final : public QWidget {
    Q_OBJECT
public:
    ObjectsPage(Workspace &work, PageEditor &editor, QWidget *parent);

    void ListObjects();
    void FetchObject();
    void btObj1Click();
    void btObj2Click();
    void Image26Click();

    SortedList *Lbx4 = nullptr;
    QLineEdit *LocObj1 = nullptr;
    QLineEdit *ShpObj1 = nullptr;
    QLabel *FigObj1 = nullptr;
    ImageButton *btObj1 = nullptr;
    StatusLabel *lbObj1 = nullptr;
    QLineEdit *LocObj2 = nullptr;
    QLineEdit *ShpObj2 = nullptr;
    QLabel *FigObj2 = nullptr;
    ImageButton *btObj2 = nullptr;
    StatusLabel *lbObj2 = nullptr;
    QLineEdit *Edit21 = nullptr;
    ImageButton *Image26 = nullptr;
    StatusLabel *Lb77 = nullptr;

private:
    // The controls of one location/shape pair.
    struct Row {
        QLineEdit *Location;
        QLineEdit *Shape;
        QLabel *Picture;
        ImageButton *Button;
        StatusLabel *Status;
    };
    Row initialRow() const { return {LocObj1, ShpObj1, FigObj1, btObj1, lbObj1}; }
    Row currentRow() const { return {LocObj2, ShpObj2, FigObj2, btObj2, lbObj2}; }

    void buildList();
    Row buildRow(int y, const QString &heading, int number);
    void buildCreation();
    // Fills the row from reply lines first (location) and first + 1 (shape).
    void showPlace(const Row &row, const ObjectPlace &place);
    // Shows the picture of the shape; the text of a fault other than a
    // missing file, else nothing.
    QString showPicture(QLabel *picture, const QString &shape);
    void updatePair(const Row &row);
    bool isListed(const QString &name) const;

    Workspace &m_work;
    PageEditor &m_editor;
};

inline const QString kShortObjectReply = QStringLiteral("Dados do objeto incompletos!!!");
inline const QString kObjectExists = QStringLiteral("Já existe este objeto!!!");

} // namespace nimbra
