#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class QAudioOutput;
class QMediaPlayer;

namespace nimbra {

// The one sound player of the tools window: open a file, play it, close it.
// One sound at a time; playing returns at once while the sound goes on. A
// machine without a sound device still opens and plays (to no output).
class SoundDeck final : public QObject {
    Q_OBJECT
public:
    explicit SoundDeck(QObject *parent = nullptr);
    ~SoundDeck() override;

    // Opens the file and waits, a few seconds at most, until the player has
    // read it. Nothing on success, else the text for the author.
    std::optional<QString> open(const QString &path);
    // Starts the sound opened; the text for the author when it cannot.
    std::optional<QString> play();
    // Stops the sound and forgets the file.
    void close();

    bool isOpen() const { return !m_fileName.isEmpty(); }
    bool isPlaying() const;
    QString fileName() const { return m_fileName; }

private:
    // Lets the player work until it has read the file or given up.
    void waitWhileLoading();
    QString failureText(const QString &what) const;

    std::unique_ptr<QAudioOutput> m_output;
    std::unique_ptr<QMediaPlayer> m_player;
    QString m_fileName;
};

} // namespace nimbra
