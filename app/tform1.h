#pragma once

#include "appfolders.h"
#include "workspace.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QWidget>

#include <chrono>
#include <functional>
#include <optional>

namespace nimbra {

class ImageButton;
class PageEditor;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class CheckWindow;
class FindWindow;
class BackupWindow;
class WindowEditorView;

// The main window: a band across the top of the screen with the menu, the
// activity indicator, the version and the exit. It owns the workspace, the
// page editor and the other windows, and carries what one window asks of
// another.
class TForm1 final : public QWidget {
    Q_OBJECT
public:
    TForm1();
    ~TForm1() override;

    // The other windows, created after this one in their order.
    void createWindows();

    Workspace work;

    TForm2 *form2 = nullptr;
    TForm3 *form3 = nullptr;
    TForm4 *form4 = nullptr;
    TForm5 *form5 = nullptr;
    // The story map of the adventure.
    TForm6 *form6 = nullptr;
    // The windows over the whole adventure, from "Ferramentas".
    FindWindow *findWindow = nullptr;
    CheckWindow *checkWindow = nullptr;
    BackupWindow *backupWindow = nullptr;
    QMenu *toolsMenu = nullptr;
    // Opens, edits and stores the page; made before the windows it works in.
    PageEditor *editor = nullptr;
    // The client's own version text, compared with the service's.
    QLabel *lbVrs = nullptr;

    void setActivity(Activity activity);
    QColor ledColor() const;

    // Menu state after a login and after an adventure is chosen.
    void showAdventuresMenu();
    void showAdventureMenu();
    ImageButton *menuButton(const QString &name) const;

    // Reads "nimbra.ini" once, at the first activation.
    void applySettingsOnce();
    // What the exit button writes; why it could not, if it could not.
    std::optional<QString> writeSettingsFile();
    // How the run ends (tests watch it instead).
    void setEnd(std::function<void()> end) { m_end = std::move(end); }
    QString settingsPath() const { return settingsFolder(work.session.AppDir) + QStringLiteral("nimbra.ini"); }

    // The background toggle.
    void toggleBackground();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct MenuEntry {
        ImageButton *Button;
        QLabel *Label;
    };
    MenuEntry addMenu(const QString &name, int x, const QString &caption, bool visible);
    void buildControls();
    void showMenuEntries(const QStringList &names);
    void placeRightAnchored();
    void openMenuPage(const QString &name);
    void addUndoShortcuts(QWidget *window);
    void connectWindows();
    void openChosenAdventure();
    void openPickedPage();
    void showSourceEditor();
    void toggleQrCode();
    void openMap();
    void buildToolsMenu();
    void openFind();
    void openCheck();
    void openBackup();
    void showRestoredAdventure();
    void openRequestedPage(const QString &name);
    void reopenStoredPage(const QStringList &pages);
    void endRun(std::chrono::milliseconds after);

    WindowEditorView *m_view = nullptr;
    QLabel *m_topo1 = nullptr;
    QLabel *m_topo2 = nullptr;
    QLabel *m_title = nullptr;
    QWidget *m_led = nullptr;
    ImageButton *m_btBtf = nullptr;
    ImageButton *m_fim = nullptr;
    QList<std::pair<QString, MenuEntry>> m_menu;
    bool m_firstActivation = true;
    std::optional<QString> m_settingsError;
    std::function<void()> m_end = [] { QCoreApplication::quit(); };
    // What the file held, kept for an exit before any login.
    QString m_savedLogin;
    QString m_savedPassword;
};

} // namespace nimbra
