#include "velorin.h"

#include "adventure.h"

#include "codepage.h"
#include "requesturl.h"
#include "serverfiles.h"
#include "textlines.h"

namespace nimbra {

namespace {

QStringList blanksForUnderscores(const QStringList &names)
{
    QStringList shown;
    shown.reserve(names.size());
    for (const QString &name : names)
        shown.append(UnderscoreToBlank(name));
    return shown;
}

} // namespace

QString Velorin::url(const char *endpoint, QueryPairs further) const
{
    return endpointUrl(m_session.ServiceUrl, endpoint, m_session.Login, m_session.Password, further);
}

QString Velorin::resultText(const HttpResult &result)
{
    return result.Ok ? fromCp1252(result.Body) : result.failureText();
}

QString Velorin::directText(const QString &address)
{
    return resultText(m_client.direct(address));
}

Reply Velorin::login(const QString &typedLogin, const QString &typedPassword)
{
    return m_client.get(endpointUrl(m_session.ServiceUrl, "nmbLog.php", typedLogin, typedPassword));
}

QString Velorin::newAccount(const QString &login, const QString &password, const QString &email)
{
    return directText(endpointUrl(m_session.ServiceUrl, "mobNwUsr.php", login, password, {{"Email", email}}));
}

Reply Velorin::listAdventures()
{
    return m_client.get(url("mobList.php"));
}

Reply Velorin::adventureData(const QString &name)
{
    return m_client.get(url("mobDados.php", {{"Adv", BlankToUnderscore(name)}}));
}

QString Velorin::putAdventureStyle(const QString &font, const QString &back, const QString &text, const QString &link)
{
    return directText(url("mobPtAdv.php", {{"Pfx", m_session.AdvPrefix},
                                           {"Fonte", font},
                                           {"CorFnd", back},
                                           {"CorTxt", text},
                                           {"CorLnk", link}}));
}

QString Velorin::newAdventure(const QString &prefix, const QString &name)
{
    return directText(
        url("mobNwAdv.php", {{"Pfx", prefix}, {"Idx", m_session.UserIdx}, {"Nom", BlankToUnderscore(name)}}));
}

QStringList Velorin::listScripts()
{
    return blanksForUnderscores(m_client.fetchList(url("nmbLsScp.php", {{"Pfx", m_session.AdvPrefix}})));
}

QString Velorin::scriptUrl(const QString &name) const
{
    return url("nmbGtScp.php", {{"Pfx", m_session.AdvPrefix}, {"Scp", name}});
}

QString Velorin::fetchScript(const QString &name)
{
    return m_client.ServiceGet(scriptUrl(name));
}

QStringList Velorin::fetchScripts(const QStringList &names, const FetchProgress &progress)
{
    QStringList urls;
    urls.reserve(names.size());
    for (const QString &name : names)
        urls.append(scriptUrl(name));
    return m_client.ServiceGetMany(urls, progress);
}

QString Velorin::storeScript(const QString &name, const QString &text)
{
    return resultText(m_client.postField(url("nmbPtScp.php", {{"Pfx", m_session.AdvPrefix}, {"Scp", name}}),
                                         QStringLiteral("texto"), toCp1252(text)));
}

QString Velorin::newScript(const QString &name)
{
    return directText(
        url("mobNwScp.php", {{"Pfx", m_session.AdvPrefix}, {"Scp", name}, {"Idx", m_session.UserIdx}}));
}

QStringList Velorin::listObjects()
{
    return blanksForUnderscores(m_client.fetchList(url("nmbLsObj.php", {{"Pfx", m_session.AdvPrefix}})));
}

Reply Velorin::object(const QString &name)
{
    return m_client.get(url("mobGtObj.php", {{"Pfx", m_session.AdvPrefix}, {"Idx", m_session.UserIdx}, {"Nome", name}}));
}

Reply Velorin::putObject(const QString &name, const QString &location, const QString &shape)
{
    return m_client.get(
        url("mobPtObj.php", {{"Pfx", m_session.AdvPrefix}, {"Nome", name}, {"Loc", location}, {"Shp", shape}}));
}

QString Velorin::newObject(const QString &name)
{
    return directText(url("mobNwObj.php", {{"Pfx", m_session.AdvPrefix}, {"Nome", name}, {"Idx", m_session.UserIdx}}));
}

std::vector<ObjectPicture> Velorin::objectPictures()
{
    std::vector<ObjectPicture> pictures;
    for (const QString &name : listObjects()) {
        const std::optional<ObjectData> data = readObjectData(object(name));
        if (!data)
            continue;
        pictures.push_back({name, data->Initial.Shape});
        if (data->Current.Shape != data->Initial.Shape)
            pictures.push_back({name, data->Current.Shape});
    }
    return pictures;
}

QString Velorin::putParameters(const QString &title, const QString &startScript)
{
    return directText(
        url("mobPtPrm.php", {{"Pfx", m_session.AdvPrefix}, {"Nome", BlankToUnderscore(title)}, {"Scp", startScript}}));
}

Reply Velorin::listEditors()
{
    return m_client.get(url("mobLsLib.php", {{"Pfx", m_session.AdvPrefix}}));
}

QString Velorin::putEditors(const QStringList &names)
{
    const QString text = names.join(QStringLiteral("\r\n"));
    return resultText(
        m_client.postField(url("mobPtLib.php", {{"Pfx", m_session.AdvPrefix}}), QStringLiteral("texto"), toCp1252(text)));
}

QStringList Velorin::listSounds(const QString &category)
{
    return m_client.fetchList(url("mobLsSom.php", {{"Cat", category}}));
}

QStringList Velorin::listServerFiles()
{
    return m_client.fetchList(url("mobLsArq.php", {{"Pfx", m_session.AdvPrefix}}));
}

std::optional<QStringList> Velorin::serverFiles()
{
    const Reply reply = m_client.get(url("mobLsArq.php", {{"Pfx", m_session.AdvPrefix}}));
    if (!reply.isOk())
        return std::nullopt;
    QStringList names;
    for (const QString &line : reply.data())
        if (!line.trimmed().isEmpty())
            names.append(serverEntryName(line.trimmed()));
    return names;
}

QString Velorin::uploadFile(const QString &localPath, const QString &serverName)
{
    return resultText(m_client.postFile(url("mobPtImg.php", {{"Pfx", m_session.AdvPrefix}, {"Arq", serverName}}),
                                        QStringLiteral("Img"), localPath, QStringLiteral("image/jpg")));
}

QString Velorin::deleteFile(const QString &serverName)
{
    return directText(url("mobDtArq.php", {{"Pfx", m_session.AdvPrefix}, {"Arq", serverName}}));
}

HttpResult Velorin::version()
{
    return m_client.http().get(m_session.ServiceUrl + QStringLiteral("mobVrs.php"));
}

} // namespace nimbra
