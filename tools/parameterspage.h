#pragma once

#include <QLineEdit>
#include <QWidget>

namespace nimbra {

class ImageButton;
class StatusLabel;
struct Workspace;
class TForm2;

// "Parametros": the open adventure's title and start page, and the way to
// the list of its editors.
class ParametersPage final : public QWidget {
    Q_OBJECT
public:
    ParametersPage(Workspace &work, TForm2 &tools, QWidget *parent);

    // Stores the title and the start page ("Gravar esses parâmetros").
    void Image1Click();

    QLineEdit *Edit17 = nullptr;
    QLineEdit *Edit18 = nullptr;
    ImageButton *Image23 = nullptr;
    ImageButton *Image1 = nullptr;
    StatusLabel *Stu = nullptr;

signals:
    // The adventure's title as stored.
    void titleChanged(const QString &title);

private:
    // The start page to store: the box's, else the page being edited.
    QString startScript() const;
    void showNewTitle(const QString &title);

    Workspace &m_work;
    TForm2 &m_tools;
};

} // namespace nimbra
