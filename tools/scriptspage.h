#pragma once

#include "sortedlist.h"

#include <QStackedWidget>
#include <QWidget>

namespace nimbra {

class StatusLabel;
class TForm1;
class TForm2;

// "Scripts": the pages of the open adventure and the page-level actions.
class ScriptsPage final : public QWidget {
    Q_OBJECT
public:
    ScriptsPage(TForm1 &main, TForm2 &tools, QWidget *parent);

    enum InnerPage { Default = 0, Icons, Create, Text, Screen };

    void ListScripts();
    // Fetches ScriptName and makes it the page being edited; a failed fetch
    // keeps the page shown before, and its name.
    bool OpenPage();
    void Lbx2Click();

    SortedList *Lbx2 = nullptr;
    StatusLabel *Stx = nullptr;
    QStackedWidget *Abook2 = nullptr;

private:
    TForm1 &m_main;
    TForm2 &m_tools;
};

} // namespace nimbra
