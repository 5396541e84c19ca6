#pragma once

#include <QString>

#include <initializer_list>
#include <utility>

namespace nimbra {

// A query value as the service wants it: the Windows-1252 bytes, each one
// that is not a letter, digit, "-", ".", "_" or "~" written as %XX (a blank
// becomes %20), so "&", "#", "+" or "%" in a value can neither break the
// request nor add keys.
QString percentEncode(const QString &value);

using QueryPairs = std::initializer_list<std::pair<const char *, QString>>;

// serviceUrl + endpoint + "?Login=..&Senha=.." + the further pairs in the
// order given.
QString endpointUrl(const QString &serviceUrl, const char *endpoint, const QString &login, const QString &password,
                    QueryPairs further = {});

// The address that runs one page in the run view.
QString runUrl(const QString &siteUrl, const QString &userIdx, const QString &prefix, const QString &script);

// A QR picture of a text, from the chart service of the site.
QString qrChartUrl(const QString &siteUrl, const QString &text);

// What the QR pictures carry: the adventure's start address, and a page as
// the hex of the Windows-1252 bytes of "prefix|idx|script|".
QString adventureQrText(const QString &siteUrl, const QString &prefix);
QString pageQrText(const QString &siteUrl, const QString &prefix, const QString &userIdx, const QString &script);

} // namespace nimbra
