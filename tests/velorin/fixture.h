#pragma once

// A fresh service per test: its own data folder, one author with one
// adventure "abc" ready to use.
#include "service_client.h"
#include "testutil.h"

#include <QTemporaryDir>

#include <sqlite3.h>

#include <gtest/gtest.h>

#include <memory>

class ServiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        start();
        m_idx = newAccount("ana", "senha1");
        ASSERT_FALSE(m_idx.empty());
        ASSERT_EQ(call("mobNwAdv", {{"Pfx", "abc"}, {"Idx", m_idx}, {"Nom", "Minha aventura"}}).Body, "Ok");
    }

    // Standard error goes to errorFile when one is named.
    void start(const std::vector<std::string> &args = {}, const std::string &errorFile = {})
    {
        m_client.reset();
        m_service.reset();
        m_service = std::make_unique<VelorinProcess>(dataDir(), args, errorFile);
        m_client = std::make_unique<ServiceClient>(m_service->port());
    }

    std::string dataDir() const { return m_dir.path().toStdString(); }

    // Runs SQL on the data file while the service is stopped, then starts it
    // again: the first value of the last row, or the error.
    std::string sql(const std::string &statement)
    {
        m_client.reset();
        m_service.reset();
        sqlite3 *db = nullptr;
        std::string result;
        const auto row = [](void *out, int, char **values, char **) {
            *static_cast<std::string *>(out) = values[0] ? values[0] : "";
            return 0;
        };
        if (sqlite3_open((dataDir() + "/velorin.sqlite").c_str(), &db) != SQLITE_OK
            || sqlite3_exec(db, statement.c_str(), row, &result, nullptr) != SQLITE_OK)
            result = sqlite3_errmsg(db);
        sqlite3_close(db);
        start();
        return result;
    }

    // Creates an account and returns its user index (line 4 of the login).
    std::string newAccount(const std::string &login, const std::string &password)
    {
        m_client->call("mobNwUsr", {{"Login", login}, {"Senha", password}, {"Email", login + "@exemplo.com"}});
        const QStringList lines = as(login, password, "nmbLog", {}).lines();
        return lines.size() == 5 && lines[0] == u"Ok" ? lines[4].toStdString() : std::string();
    }

    // A request of the author ana, Login and Senha first.
    Reply call(const std::string &endpoint, const Query &extra) { return as("ana", "senha1", endpoint, extra); }

    Reply as(const std::string &login, const std::string &password, const std::string &endpoint, const Query &extra)
    {
        Query query = {{"Login", login}, {"Senha", password}};
        query.insert(query.end(), extra.begin(), extra.end());
        return m_client->call(endpoint, query);
    }

    Reply post(const std::string &endpoint, const Query &extra, const std::string &field, const std::string &content,
               const std::string &fileName = {})
    {
        Query query = {{"Login", "ana"}, {"Senha", "senha1"}};
        query.insert(query.end(), extra.begin(), extra.end());
        return m_client->post(endpoint, query, field, content, fileName);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<VelorinProcess> m_service;
    std::unique_ptr<ServiceClient> m_client;
    std::string m_idx;
};
