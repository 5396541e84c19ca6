#pragma once

#include "pagemodel.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace nimbra {

// Where page scripts are fetched from and stored to: the service's script
// fetch and store requests. Replies come back as text; a transfer failure
// becomes a reply text too, never an exception.
class ScriptStore {
public:
    virtual ~ScriptStore() = default;
    // The whole reply of the fetch: status line, then the script lines.
    virtual QString fetchScript(const QString &name) = 0;
    // The service's answer to storing text under name.
    virtual QString storeScript(const QString &name, const QString &text) = 0;

    // The whole replies of fetching every named page, in the order of names.
    // progress is told (done, total) as replies come. Stores that can have
    // several fetches in flight do; this one fetches one after another.
    using FetchProgress = std::function<void(int done, int total)>;
    virtual QStringList fetchScripts(const QStringList &names, const FetchProgress &progress = {});
};

// The store in which the editor also creates pages.
class PageStore : public ScriptStore {
public:
    // "Ok", or the service's refusal.
    virtual QString newScript(const QString &name) = 0;
};

// The page being edited and the one rule that keeps it safe: a page whose
// fetch failed is never written over. After a failed open of another page
// the shown page stays current and storable; after a failed reopen of the
// shown page storing is refused until a page opens again.
class PageSession {
public:
    explicit PageSession(ScriptStore &store) : m_store(store) {}

    struct Opened {
        bool Ok = false;
        QString Status;  // "Ok", or the text that tells why the page did not open
        QString Reply;   // the whole fetch reply
    };
    Opened open(const QString &name);

    // Stores the page written from the model (the controls' values already
    // taken into it); the written text comes back in writtenText.
    QString compileAndStore(const PageModel &edited, QString *writtenText = nullptr);

    // Stores a source text exactly as typed.
    QString storeSource(const QString &text);

    // Forgets the page: another adventure is being opened.
    void close();

    bool canStore() const { return m_loaded; }
    const QString &scriptName() const { return m_name; }
    const PageModel &model() const { return m_model; }
    PageModel &model() { return m_model; }

private:
    std::optional<QString> refusal(const QString &text) const;

    ScriptStore &m_store;
    PageModel m_model;
    QString m_name;
    bool m_loaded = false;
};

// The page a run view address leads to: the percent-decoded value of its
// "Scp=" query key, with "xvlt" standing for the return page. Nothing when
// the address names no page (an outside link, an empty or "$" value that the
// service resolves itself) or a page of another adventure than advPrefix.
std::optional<QString> scriptOfRunUrl(const QString &url, const QString &advPrefix, const QString &returnScript);

inline const QString kNotLoadedStatus = QStringLiteral("Página não carregada: abra a página de novo antes de gravar!!!");
inline const QString kUnknownKindStatus =
    QStringLiteral("Tipo de página desconhecido: a primeira linha deve ser \"//mob txt\" ou \"//mob img\"; nada foi gravado!!!");
inline const QString kBoxoffLineStatus = QStringLiteral("Uma linha do texto não pode ser só \"boxoff\"!!!");
inline const QString kUnwritableFieldStatus = QStringLiteral("Vírgula ou quebra de linha não cabe em %1: nada foi gravado!!!");

// Why a page cannot be written: a kind whose content the writer does not
// know, a text line that would end the text box when read back, or a field
// whose comma or line end would read back as other fields.
std::optional<QString> compileRefusal(const PageModel &page);

inline const QString kEmptyScriptStatus = QStringLiteral("Script vazio: nada foi gravado!!!");

} // namespace nimbra
