#pragma once

// The demo service, logged in as the demo author with "A casa misteriosa"
// open and its folder in a temporary directory.
#include "adventure.h"
#include "velorin_process.h"
#include "testutil.h"
#include "workspace.h"

#include <QDir>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

class DemoBackup : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_process = std::make_unique<VelorinProcess>(m_dir.filePath(QStringLiteral("data")).toStdString(),
                                                     std::vector<std::string>{"--demo"});
        m_work.session.setSite(QString::fromStdString(m_process->baseUrl()));
        const nimbra::Reply login = m_work.service.login(u8("demo"), u8("demo"));
        ASSERT_TRUE(login.isOk()) << login.text().toStdString();
        m_work.session.Login = login.line(1);
        m_work.session.Password = u8("demo");
        m_work.session.UserIdx = login.line(4);
        openAdventure(kDemo);
    }

    // Opens the adventure as the adventures page does, with an empty folder.
    void openAdventure(const QString &name)
    {
        QString why;
        const auto data = nimbra::readAdventureData(m_work.service.adventureData(name), &why);
        ASSERT_TRUE(data) << why.toStdString();
        nimbra::Session &s = m_work.session;
        s.AdvPrefix = data->Prefix;
        s.AdvName = name;
        s.AdvFolder = m_dir.path() + QStringLiteral("/app/") + data->Prefix + u'/';
        ASSERT_TRUE(QDir().mkpath(s.AdvFolder));
    }

    // A new adventure through the service, then open.
    void openNewAdventure(const QString &prefix, const QString &name)
    {
        ASSERT_EQ(m_work.service.newAdventure(prefix, name), u8("Ok"));
        openAdventure(name);
    }

    // Every page of the open adventure as the service gives it back.
    QMap<QString, QString> pageReplies()
    {
        QMap<QString, QString> pages;
        for (const QString &name : m_work.service.listScripts())
            pages.insert(name, m_work.service.fetchScript(name));
        return pages;
    }

    QString backupFolder() const { return m_dir.filePath(QStringLiteral("copia")); }

    inline static const QString kDemo = QStringLiteral("A casa misteriosa");

    QTemporaryDir m_dir;
    std::unique_ptr<VelorinProcess> m_process;
    nimbra::Workspace m_work;
};
