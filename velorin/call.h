#pragma once

#include "context.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <httplib.h>

#include <map>
#include <string>

namespace velorin {

// An answer that ends the request with a text for the author.
struct Refusal {
    QString Text;
};

// The parts of a multipart body by their names.
using BodyParts = std::map<std::string, std::string>;

// What every endpoint needs from one request: its values, the author it
// comes from, the adventure it names. Each accessor refuses with the
// author's error text instead of returning something half-checked.
class Call final {
public:
    Call(const httplib::Request &request, Context &context, const BodyParts &parts)
        : m_request(request), m_context(context), m_parts(parts)
    {
    }

    Store &store() { return m_context.Data; }
    Authenticator &authenticator() { return m_context.Auth; }
    const FileStore &files() const { return m_context.Files; }
    const QString &siteDir() const { return m_context.SiteDir; }

    // The value of a query or form key; refuses when the key is missing.
    QString value(const char *key) const;
    // A value to be stored and answered on a line of its own: refuses line
    // ends and other control characters.
    QString text(const char *key) const;
    // A title or an adventure's name: any one line of text, not blank, in
    // its "_" spelling.
    QString label(const char *key) const;
    // A value that must be a plain name, in its "_" spelling.
    QString name(const char *key) const;
    // A text field or file part of a multipart body, or else a query value.
    QByteArray part(const char *key) const;

    // The author named by Login and Senha.
    Account account() const;
    // Idx must be the author's own user index.
    void checkIndex(const Account &author) const;
    // The adventure of Pfx, reachable by the author.
    Adventure adventure(const Account &author) const;

private:
    const httplib::Request &m_request;
    Context &m_context;
    const BodyParts &m_parts;
};

} // namespace velorin
