#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <optional>

namespace nimbra {

class ImageButton;
class StatusLabel;
struct Workspace;
class TForm2;

// The first page of the tools window: login, the newer-version panel and
// the creation of an account.
class LoginPage final : public QWidget {
    Q_OBJECT
public:
    LoginPage(Workspace &work, TForm2 &tools, QWidget *parent);

    void btLogClick();
    void btContaClick();
    void Image14Click();
    // A program installed by the package manager offers no download but
    // says to update through the package manager.
    void setUpdatesByPackage(bool byPackage);

    QLineEdit *XLog = nullptr;
    QLineEdit *XSen = nullptr;
    QLineEdit *Edit14 = nullptr;
    QLineEdit *Edit15 = nullptr;
    QLineEdit *Edit16 = nullptr;
    ImageButton *btLog = nullptr;
    ImageButton *btConta = nullptr;
    ImageButton *Image14 = nullptr;
    StatusLabel *Sta = nullptr;
    StatusLabel *Sty = nullptr;
    StatusLabel *Std = nullptr;
    QWidget *PanVrs = nullptr;

signals:
    // The author is logged in and the adventures are listed.
    void loggedIn();

private:
    void buildLogin();
    void buildVersionPanel();
    void buildAccount();
    void afterLogin();

    Workspace &m_work;
    TForm2 &m_tools;
    QWidget *m_download = nullptr;
    QLabel *m_packageNote = nullptr;
    bool m_updatesByPackage = false;
};

} // namespace nimbra
