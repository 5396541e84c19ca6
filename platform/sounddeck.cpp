#include "sounddeck.h"

#include "eventhold.h"

#include <QAudioOutput>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

namespace nimbra {

namespace {

// Reading the head of a short sound file takes a moment; a player that
// needs longer is taken as stuck.
constexpr int kOpenWaitMs = 5000;

// The player's own error texts are in English; the author reads these.
QString errorText(QMediaPlayer::Error error)
{
    switch (error) {
    case QMediaPlayer::ResourceError:
        return QStringLiteral("arquivo inacessível ou estragado");
    case QMediaPlayer::FormatError:
        return QStringLiteral("formato não suportado");
    case QMediaPlayer::NetworkError:
        return QStringLiteral("erro de rede");
    case QMediaPlayer::AccessDeniedError:
        return QStringLiteral("acesso negado");
    case QMediaPlayer::NoError:
        break;
    }
    return {};
}

} // namespace

SoundDeck::SoundDeck(QObject *parent)
    : QObject(parent), m_output(std::make_unique<QAudioOutput>()), m_player(std::make_unique<QMediaPlayer>())
{
    m_player->setAudioOutput(m_output.get());
}

SoundDeck::~SoundDeck()
{
    m_player->stop();
}

std::optional<QString> SoundDeck::open(const QString &path)
{
    close();
    // A player keeps the error of a broken file and would report it for
    // the next, good one: start that one on a fresh player.
    if (m_player->error() != QMediaPlayer::NoError) {
        m_player = std::make_unique<QMediaPlayer>();
        m_player->setAudioOutput(m_output.get());
    }
    if (!QFileInfo(path).isFile())
        return QStringLiteral("Som não encontrado: ") + QFileInfo(path).fileName() + QStringLiteral("!!!");
    m_player->setSource(QUrl::fromLocalFile(path));
    waitWhileLoading();
    const QMediaPlayer::MediaStatus status = m_player->mediaStatus();
    if (m_player->error() != QMediaPlayer::NoError || status == QMediaPlayer::InvalidMedia) {
        const QString text = failureText(QStringLiteral("Som ilegível: ") + QFileInfo(path).fileName());
        close();
        return text;
    }
    if (status == QMediaPlayer::LoadingMedia || status == QMediaPlayer::NoMedia) {
        close();
        return QStringLiteral("O som não abriu a tempo: ") + QFileInfo(path).fileName() + QStringLiteral("!!!");
    }
    m_fileName = path;
    return std::nullopt;
}

void SoundDeck::waitWhileLoading()
{
    if (m_player->mediaStatus() != QMediaPlayer::LoadingMedia)
        return;
    QEventLoop loop;
    connect(m_player.get(), &QMediaPlayer::mediaStatusChanged, &loop, [&loop](QMediaPlayer::MediaStatus status) {
        if (status != QMediaPlayer::LoadingMedia)
            loop.quit();
    });
    connect(m_player.get(), &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(kOpenWaitMs, &loop, &QEventLoop::quit);
    // Windows repaint meanwhile, but no click reaches a handler and nothing
    // held starts a request.
    EventHold hold;
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

std::optional<QString> SoundDeck::play()
{
    if (!isOpen())
        return QStringLiteral("Nenhum som aberto!!!");
    m_player->play();
    if (m_player->error() != QMediaPlayer::NoError)
        return failureText(QStringLiteral("O som não tocou: ") + QFileInfo(m_fileName).fileName());
    return std::nullopt;
}

void SoundDeck::close()
{
    m_player->stop();
    m_player->setSource(QUrl());
    m_fileName.clear();
}

bool SoundDeck::isPlaying() const
{
    return m_player->playbackState() == QMediaPlayer::PlayingState;
}

QString SoundDeck::failureText(const QString &what) const
{
    const QString detail = errorText(m_player->error());
    return what + (detail.isEmpty() ? QString() : QStringLiteral(" (") + detail + QLatin1Char(')')) +
           QStringLiteral("!!!");
}

} // namespace nimbra
