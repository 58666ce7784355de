#include "commands/presentation/media_player.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace commands {

namespace {

// One child process per channel (effects, music); starting a new sound on a
// channel ends the one before.
class ProcessChannel
{
public:
    explicit ProcessChannel(QStringList programs) : m_programs(std::move(programs)) {}

    void play(const QString &path)
    {
        stop();
        const QString program = findProgram();
        if (program.isEmpty() || !QCoreApplication::instance())
            return;
        // Owned by the application, so a sound outlives the dialog that
        // started it and ends with the program.
        m_process = new QProcess(QCoreApplication::instance());
        QObject::connect(m_process.data(), &QProcess::finished, m_process.data(), &QObject::deleteLater);
        QObject::connect(m_process.data(), &QProcess::errorOccurred, m_process.data(), &QObject::deleteLater);
        m_process->start(program, argumentsFor(program, path));
    }

    void stop()
    {
        if (m_process) {
            m_process->kill();
            m_process->waitForFinished(500);
            m_process->deleteLater();
            m_process = nullptr;
        }
    }

private:
    QString findProgram() const
    {
        for (const QString &name : m_programs) {
            const QString found = QStandardPaths::findExecutable(name);
            if (!found.isEmpty())
                return found;
        }
        return {};
    }

    static QStringList argumentsFor(const QString &program, const QString &path)
    {
        if (program.endsWith(QLatin1String("ffplay")))
            return {QStringLiteral("-nodisp"), QStringLiteral("-autoexit"), QStringLiteral("-loglevel"),
                    QStringLiteral("quiet"), path};
        if (program.endsWith(QLatin1String("aplay")) || program.endsWith(QLatin1String("mpg123")))
            return {QStringLiteral("-q"), path};
        return {path};
    }

    QStringList m_programs;
    QPointer<QProcess> m_process;
};

class ProcessMediaPlayer : public MediaPlayer
{
public:
    void playEffect(const QString &path) override { m_effects.play(path); }
    void stopEffect() override { m_effects.stop(); }
    void playMusic(const QString &path) override { m_music.play(path); }
    void stopMusic() override { m_music.stop(); }

private:
    ProcessChannel m_effects{{QStringLiteral("paplay"), QStringLiteral("aplay"), QStringLiteral("ffplay")}};
    ProcessChannel m_music{{QStringLiteral("ffplay"), QStringLiteral("mpg123"), QStringLiteral("paplay")}};
};

MediaPlayer *&current()
{
    static ProcessMediaPlayer program;
    static MediaPlayer *player = &program;
    return player;
}

} // namespace

MediaPlayer &MediaPlayer::instance()
{
    return *current();
}

ScopedMediaPlayer::ScopedMediaPlayer(MediaPlayer &player) : m_previous(current())
{
    current() = &player;
}

ScopedMediaPlayer::~ScopedMediaPlayer()
{
    current() = m_previous;
}

} // namespace commands
