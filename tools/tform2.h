#pragma once

#include "skinnedwindow.h"

#include <QLineEdit>
#include <QStackedWidget>

#include <optional>

namespace nimbra {

class AdventuresPage;
class AuthorizationPage;
class ExtrasPage;
class GraphicsPage;
class LoginPage;
class ObjectsPage;
class ParametersPage;
class ScriptsPage;
class SoundFilesPage;
class SoundsPage;
class PageEditor;
struct Workspace;

// The tools window: every editing form, on the pages of one notebook.
class TForm2 final : public SkinnedWindow {
    Q_OBJECT
public:
    TForm2(Workspace &work, PageEditor &editor);

    enum Page {
        Login = 0,
        Extras,
        Adventures,
        Scripts,
        Graphics,
        Objects,
        Parameters,
        Sounds,
        SoundFiles,
        Authorization,
    };
    void showPage(Page page);
    Page page() const { return Page(Abook->currentIndex()); }

    // The login and password the settings file held.
    void setTypedLogin(const std::optional<QString> &login, const std::optional<QString> &password);

    LoginPage *login() const { return m_login; }
    ExtrasPage *extras() const { return m_extras; }
    AdventuresPage *adventures() const { return m_adventures; }
    ScriptsPage *scripts() const { return m_scripts; }
    GraphicsPage *graphics() const { return m_graphics; }
    SoundsPage *sounds() const { return m_sounds; }
    SoundFilesPage *soundFiles() const { return m_soundFiles; }
    ObjectsPage *objects() const { return m_objects; }
    ParametersPage *parameters() const { return m_parameters; }
    AuthorizationPage *authorization() const { return m_authorization; }

    QStackedWidget *Abook = nullptr;

private:
    LoginPage *m_login = nullptr;
    ExtrasPage *m_extras = nullptr;
    AdventuresPage *m_adventures = nullptr;
    ScriptsPage *m_scripts = nullptr;
    GraphicsPage *m_graphics = nullptr;
    SoundsPage *m_sounds = nullptr;
    SoundFilesPage *m_soundFiles = nullptr;
    ObjectsPage *m_objects = nullptr;
    ParametersPage *m_parameters = nullptr;
    AuthorizationPage *m_authorization = nullptr;
};

} // namespace nimbra
