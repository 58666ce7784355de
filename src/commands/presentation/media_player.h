#pragma once
// Playback for the listen buttons of the sound-effect and music-track
// dialogs: an effect plays asynchronously and a new one takes the place of
// the old; a music file is opened and played. Nothing is reported: a file
// that cannot be played plays nothing.
//
// The program's player runs a desktop audio player, when one is installed,
// as a child process; tests put in their own player for the scope.
#include <QString>

namespace commands {

class MediaPlayer
{
public:
    virtual ~MediaPlayer() = default;
    virtual void playEffect(const QString &path) = 0;
    virtual void stopEffect() = 0;
    virtual void playMusic(const QString &path) = 0;
    virtual void stopMusic() = 0;

    // The player in use.
    static MediaPlayer &instance();
};

// Test hook: `player` is the one in use for the scope.
class ScopedMediaPlayer
{
public:
    explicit ScopedMediaPlayer(MediaPlayer &player);
    ~ScopedMediaPlayer();
    ScopedMediaPlayer(const ScopedMediaPlayer &) = delete;
    ScopedMediaPlayer &operator=(const ScopedMediaPlayer &) = delete;

private:
    MediaPlayer *m_previous;
};

} // namespace commands
