#pragma once

#include "pagemodel.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace nimbra {

// The page script of a page, every section of the template in its fixed
// order; kept lines go back to the places they were read from, and those
// read before the header right after it.
QStringList generateScriptLines(const PageModel &page, const QString &scriptName);

// The same text with every line followed by CR LF.
QString generateScript(const PageModel &page, const QString &scriptName);

// The one line the writer puts at place, indentation included (the header,
// a key line, a section comment, a link, an icon, a fixed line); empty for
// the start.
QString placeLine(const PageModel &page, ScriptPlace place, const QString &scriptName);

// The name of the first field, in the order the writer writes them, whose
// value would not read back as it is: a comma where the writer joins
// fields with commas (text size, font, colours, an icon's image, a screen
// link's kind, place, size and arguments 1 and 2) or a line end anywhere.
// Only the fields the page's kind writes are looked at.
std::optional<QString> unwritableField(const PageModel &page);

} // namespace nimbra
