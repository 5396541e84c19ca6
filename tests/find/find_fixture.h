#pragma once

// The real velorin-local with its demo adventure, logged in as the demo
// author, the adventure open and its folder in a temporary directory.
#include "find_pages.h"

#include "adventure.h"
#include "pagehistory.h"
#include "textlines.h"
#include "velorin_process.h"
#include "workspace.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

class DemoAdventure : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_process = std::make_unique<VelorinProcess>(m_dir.filePath(QStringLiteral("data")).toStdString(),
                                                     std::vector<std::string>{"--demo"});
        nimbra::Session &s = m_work.session;
        s.setSite(QString::fromStdString(m_process->baseUrl()));
        const nimbra::Reply login = m_work.service.login(u8("demo"), u8("demo"));
        ASSERT_TRUE(login.isOk()) << login.text().toStdString();
        s.Login = login.line(1);
        s.Password = u8("demo");
        s.UserIdx = login.line(4);
        QString why;
        const auto data = nimbra::readAdventureData(m_work.service.adventureData(u8("A casa misteriosa")), &why);
        ASSERT_TRUE(data) << why.toStdString();
        s.AdvPrefix = data->Prefix;
        s.AdvFolder = m_dir.path() + QStringLiteral("/app/") + data->Prefix + u'/';
        ASSERT_TRUE(QDir().mkpath(s.AdvFolder));
        m_names = m_work.service.listScripts();
        ASSERT_GE(m_names.size(), 6);
    }

    const QString &folder() const { return m_work.session.AdvFolder; }

    // The page's text on the service.
    QString serviceText(const QString &page) { return nimbra::scriptOfReply(m_work.service.fetchScript(page)); }

    // The page's kept versions, newest first.
    QStringList history(const QString &page) const
    {
        QStringList texts;
        for (const auto &version : nimbra::PageHistory(folder()).versions(page))
            texts.append(nimbra::PageHistory::read(version).value_or(u8("?")));
        return texts;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<VelorinProcess> m_process;
    nimbra::Workspace m_work;
    QStringList m_names;
};
