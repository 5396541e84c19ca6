#pragma once

#include "pagemodel.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace nimbra {

// Something in a script that does not follow the page script format.
struct ScriptIssue {
    int Line = 0; // script line number, 1 = the first line after the status line
    QString Text;
    bool Rewritten = false; // the line's values are kept but written with other text
    bool operator==(const ScriptIssue &) const = default;
};

// Reads a page from the reply lines of a script fetch (line 0 is the status
// line and is not looked at). The model starts from the template's values;
// previousReturnScript is kept unless the script has a "retscp=" line.
// Never fails: lines no rule claims are kept in the model with their place.
PageModel parsePage(const QStringList &replyLines, const QString &previousReturnScript = {},
                    std::vector<ScriptIssue> *issues = nullptr);

// The same for a script text without a status line (files of authors).
PageModel parseScriptText(const QString &scriptText, std::vector<ScriptIssue> *issues = nullptr);

} // namespace nimbra
