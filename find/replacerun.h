#pragma once

#include "adventurefind.h"
#include "pagesession.h"
#include "replacerecord.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace nimbra {

// What became of one page in a replace or in its undoing.
struct PageOutcome {
    enum class Kind { Stored, Skipped, Failed };
    QString Page;
    Kind Result = Kind::Skipped;
    QString Text;
    bool Changed = false; // the page's text on the service is another now

    QString line() const { return Page + QStringLiteral(": ") + Text; }
};

struct ReplaceReport {
    std::vector<PageOutcome> Pages;
    QString Problem; // why the run did not start or could not finish its record

    int count(PageOutcome::Kind kind) const;
    // The pages whose text changed on the service, for the editor to open again.
    QStringList changedPages() const;
    // "Gravadas: 2   Puladas: 1   Com falha: 0", or the problem.
    QString summary() const;
};

// Stores the pages of a replace plan and puts them back, one page at a
// time: the page is fetched again and left alone when it is not what the
// plan or the record expects, or when the editor holds it with edits not
// yet stored; its text before is kept in the page's history and in the
// replace's record first; what is stored is read back and compared.
class ReplaceRun {
public:
    using HeldPage = std::function<bool(const QString &page)>;
    using Told = std::function<void(const PageOutcome &)>;

    ReplaceRun(ScriptStore &store, QString advFolder, HeldPage held = {}, Told told = {});

    ReplaceReport replace(const ReplacePlan &plan);
    // Puts back every page of the newest replace not undone.
    ReplaceReport undoLast();

private:
    PageOutcome replacePage(const ReplaceRecord &record, const PagePlan &plan);
    PageOutcome restorePage(const ReplaceRecord::Page &page);
    // The page's fetch reply in *reply, or why the page is left alone.
    std::optional<PageOutcome> refetch(const QString &page, QString *reply);
    // Keeps current in the history, stores text and reads it back; the text
    // read back goes to keepReadBack, which tells why it could not keep it.
    using KeepText = std::function<std::optional<QString>(const QString &text)>;
    PageOutcome storeOver(const QString &page, const QString &current, const QString &text,
                          const KeepText &keepReadBack = {});
    PageOutcome told(PageOutcome outcome) const;

    ScriptStore &m_store;
    QString m_folder;
    HeldPage m_held;
    Told m_told;
};

inline const QString kHeldPageText = QStringLiteral("tem alterações não gravadas no editor");
inline const QString kChangedSinceSearchText = QStringLiteral("mudou no serviço desde a busca");
inline const QString kChangedSinceReplaceText = QStringLiteral("mudou no serviço depois da substituição");
inline const QString kAlreadyBackText = QStringLiteral("já está como antes da substituição");
inline const QString kReadBackDiffersText = QStringLiteral("lida de volta diferente do que foi gravado");
inline const QString kNothingToReplaceStatus = QStringLiteral("Nada a substituir!!!");
inline const QString kNothingToUndoStatus = QStringLiteral("Nenhuma substituição para desfazer!!!");

} // namespace nimbra
