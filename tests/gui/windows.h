#pragma once

// The client's windows against a fresh demo service, with the program's
// folder in a temporary directory.
#include "imagebutton.h"
#include "adventurespage.h"
#include "loginpage.h"
#include "tform1.h"
#include "tform2.h"
#include "velorin_process.h"
#include "testutil.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <memory>

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_service = std::make_unique<VelorinProcess>(m_dir.filePath(QStringLiteral("data")).toStdString(),
                                                     std::vector<std::string>{"--demo"});
        QDir().mkpath(appDir());
        m_main = std::make_unique<nimbra::TForm1>();
        m_main->work.session.AppDir = appDir();
        m_main->work.session.setSite(QString::fromStdString(m_service->baseUrl()));
        m_main->createWindows();
        m_main->show();
    }

    void TearDown() override
    {
        m_main.reset();
    }

    QString appDir() const { return m_dir.path() + QStringLiteral("/app/"); }
    nimbra::TForm1 &main() { return *m_main; }
    nimbra::TForm2 &tools() { return *m_main->form2; }

    static void click(QWidget *button) { QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center()); }

    void logIn(const char *login = "demo", const char *password = "demo")
    {
        nimbra::LoginPage *page = tools().login();
        page->XLog->setText(u8(login));
        page->XSen->setText(u8(password));
        click(page->btLog);
    }

    static void doubleClickRow(QListWidget *list, int row)
    {
        list->setCurrentRow(row);
        const QRect place = list->visualItemRect(list->item(row));
        // A double click is a press, a release and a second press.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, place.center());
    }

    // The texts of a list's rows, in their order.
    static QStringList rowsOf(const QListWidget *list)
    {
        QStringList rows;
        for (int row = 0; row < list->count(); ++row)
            rows << list->item(row)->text();
        return rows;
    }

    // A click on the row showing text, as the author picks it.
    static void clickRow(QListWidget *list, const QString &text)
    {
        const QList<QListWidgetItem *> rows = list->findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        ASSERT_EQ(rows.size(), 1) << text.toStdString();
        list->scrollToItem(rows.first());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(rows.first()).center());
    }

    // Lets the run view load what it was sent to, and report it.
    static void waitForLoad(QWebEngineView *view)
    {
        QSignalSpy loaded(view, &QWebEngineView::loadFinished);
        loaded.wait(5000);
        QTest::qWait(50);
    }

    // Logs in as the demo author and chooses the demo adventure, whose start
    // page then is open.
    void openDemoAdventure()
    {
        logIn();
        doubleClickRow(tools().adventures()->Lbx1, 0);
        ASSERT_EQ(m_main->work.session.AdvPrefix, u8("casa"));
    }

    QTemporaryDir m_dir;
    std::unique_ptr<VelorinProcess> m_service;
    std::unique_ptr<nimbra::TForm1> m_main;
};
