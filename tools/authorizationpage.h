#pragma once

#include "sortedlist.h"

#include <QWidget>

namespace nimbra {

class ImageButton;
class Reply;
class StatusLabel;
struct Workspace;
class TForm2;

// "Autorização": a working copy of the users who may edit the open
// adventure, picked from the candidates the service offers, and sent back
// whole.
class AuthorizationPage final : public QWidget {
    Q_OBJECT
public:
    AuthorizationPage(Workspace &work, TForm2 &tools, QWidget *parent);

    // Shows this page with the editors of the open adventure; nothing
    // without an adventure.
    void LoadEditors();
    void Lbx10Click();
    void Lbx11Click();
    // "Atualizar servidor": only over a list loaded for the open adventure,
    // so a failed load can never remove every editor.
    void Image24Click();

    // The prefix of the adventure the lists were loaded for; empty while
    // none was loaded, or the last load failed.
    const QString &loadedFor() const { return m_loadedFor; }

    SortedList *Lbx11 = nullptr;
    ImageButton *Image24 = nullptr;
    StatusLabel *Stb = nullptr;
    SortedList *Lbx10 = nullptr;

private:
    void setSorting(bool on);
    void fillLists(const Reply &reply);

    Workspace &m_work;
    TForm2 &m_tools;
    QString m_loadedFor;
};

inline const QString kEditorsPrompt = QStringLiteral("Clique para selecionar...");
inline const QString kEditorsNotLoaded = QStringLiteral("Carregue a lista de editores antes de atualizar!!!");

} // namespace nimbra
