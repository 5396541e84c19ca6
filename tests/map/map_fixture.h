#pragma once

// The story map against a fresh demo service, logged in as the demo author
// with the demo adventure open and its folder in a temporary directory.
#include "adventure.h"
#include "generator.h"
#include "maploader.h"
#include "mapwindow.h"
#include "pagemodel.h"
#include "storymap.h"
#include "storymapview.h"
#include "velorin.h"
#include "velorin_process.h"
#include "testutil.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// The service, with onFetch run before every fetch.
class WatchedStore final : public nimbra::ScriptStore {
public:
    explicit WatchedStore(nimbra::ScriptStore &service) : m_service(service) {}

    std::function<void(const QString &name)> onFetch;

    QString fetchScript(const QString &name) override
    {
        onFetch(name);
        return m_service.fetchScript(name);
    }
    QString storeScript(const QString &name, const QString &text) override
    {
        return m_service.storeScript(name, text);
    }

private:
    nimbra::ScriptStore &m_service;
};

class DemoMap : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_process = std::make_unique<VelorinProcess>(m_dir.filePath(QStringLiteral("data")).toStdString(),
                                                     std::vector<std::string>{"--demo"});
        m_session.setSite(QString::fromStdString(m_process->baseUrl()));
        const nimbra::Reply login = m_service.login(u8("demo"), u8("demo"));
        ASSERT_TRUE(login.isOk()) << login.text().toStdString();
        m_session.Login = login.line(1);
        m_session.Password = u8("demo");
        m_session.UserIdx = login.line(4);
        QString why;
        const auto data = nimbra::readAdventureData(m_service.adventureData(u8("A casa misteriosa")), &why);
        ASSERT_TRUE(data) << why.toStdString();
        m_session.AdvPrefix = data->Prefix;
        m_session.AdvFolder = m_dir.path() + QStringLiteral("/app/") + data->Prefix + u'/';
        ASSERT_TRUE(QDir().mkpath(m_session.AdvFolder));
        m_startPage = data->StartScript;
        m_names = m_service.listScripts();
        ASSERT_GE(m_names.size(), 6);
    }

    const QString &folder() const { return m_session.AdvFolder; }

    void loadMap(nimbra::TForm6 &window) { loadMap(window, m_names); }
    void loadMap(nimbra::TForm6 &window, const QStringList &names)
    {
        window.load(m_service, names, m_startPage, folder());
    }

    // The map of the pages as the loader fetches them, built here without the window.
    nimbra::StoryMap expectedMap(const QStringList &names)
    {
        std::vector<nimbra::MapSource> sources;
        for (const QString &name : names)
            sources.push_back(nimbra::fetchMapSource(m_service, name));
        return nimbra::buildStoryMap(sources, m_startPage);
    }

    // A new text page on the service whose first icons are on and lead to targets.
    void addPage(const QString &name, const QStringList &targets)
    {
        ASSERT_EQ(m_service.newScript(name), u8("Ok"));
        nimbra::PageModel page = nimbra::templatePageModel();
        for (qsizetype i = 0; i < targets.size() && i < nimbra::kIconCount; ++i)
            page.IconSlots[size_t(i)] = {QString(), QStringLiteral("icone.png"), targets[i]};
        ASSERT_EQ(m_service.storeScript(name, nimbra::generateScript(page, name)), u8("Ok"));
    }

    // Shows the window and waits until the display has it.
    static void showWindow(nimbra::TForm6 &window)
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    static QPoint placeOf(nimbra::TForm6 &window, const QString &name)
    {
        nimbra::PageBox *box = window.View->box(name);
        return box ? window.View->mapFromScene(box->sceneBoundingRect().center()) : QPoint();
    }

    // A double click is a press, a release, a second press and a release.
    static void doubleClick(QWidget *widget, QPoint place)
    {
        QTest::mouseClick(widget, Qt::LeftButton, {}, place);
        QTest::mouseDClick(widget, Qt::LeftButton, {}, place);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, place);
    }

    static void drag(QWidget *widget, QPoint from, QPoint to)
    {
        QTest::mousePress(widget, Qt::LeftButton, {}, from);
        QTest::mouseMove(widget, (from + to) / 2);
        QTest::mouseMove(widget, to);
        QTest::mouseRelease(widget, Qt::LeftButton, {}, to);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<VelorinProcess> m_process;
    nimbra::Http m_http;
    nimbra::Session m_session;
    nimbra::ServiceClient m_client{m_http};
    nimbra::Velorin m_service{m_session, m_client};
    QString m_startPage;
    QStringList m_names;
};
