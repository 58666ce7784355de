#pragma once
// The dialogs of the media commands: 0x22 "동영상" (a movie), 0x23 "음악" (a
// sound effect and how often it repeats, with a listen button) and 0x24
// "트랙" (the music track or none, with a listen button). Their lists are as
// long as the counts in the settings say; a stored value the lists do not
// reach (a movie or effect beyond its count) gets an item of its own and is
// written back as it was.
#include "commands/common/command_dialog.h"
#include "commands/presentation/media_lists.h"

#include <vector>

class QComboBox;
class QPushButton;

namespace commands {

class NumberField;

// A drop-down list whose items carry the values they write; an unlisted
// stored value is appended as one more item.
struct ValueList {
    QComboBox *box = nullptr;
    std::vector<int> values;
    std::size_t listed = 0;  // the list's own items

    void fill(const QStringList &texts, const std::vector<int> &itemValues);
    // Selects the item of the value, or appends a placeholder for it that
    // reads `word` (see placeholderText).
    void select(int value, const QString &word);
    int value() const;
    // Whether the chosen item is the placeholder of a stored value.
    bool placeholderChosen() const;
};

class MovieDialog : public CommandDialog
{
    Q_OBJECT
public:
    static constexpr int kCode = 0x22;
    explicit MovieDialog(workspace::EditContext &ctx);
    QComboBox *movieList() const { return m_movie.box; }

protected:
    bool saveFields(QString &key, int &lengthDelta) override;

private:
    ValueList m_movie;
};

class MusicDialog : public CommandDialog
{
    Q_OBJECT
public:
    static constexpr int kCode = 0x23;
    explicit MusicDialog(workspace::EditContext &ctx);
    QComboBox *effectList() const { return m_effect.box; }
    NumberField *repeatBox() const { return m_repeat; }
    // Plays the chosen effect from the game folder's "Wav" folder.
    void listen();

    // Cancel (the button, Esc or the close box) also ends an effect still
    // playing; OK leaves it.
    void reject() override;

protected:
    bool saveFields(QString &key, int &lengthDelta) override;

private:
    ValueList m_effect;
    NumberField *m_repeat = nullptr;
    QPushButton *m_listen = nullptr;
};

class TrackDialog : public CommandDialog
{
    Q_OBJECT
public:
    static constexpr int kCode = 0x24;
    explicit TrackDialog(workspace::EditContext &ctx);
    QComboBox *trackList() const { return m_track.box; }
    // Plays the chosen track's file, named by the game folder's music list.
    void listen();

protected:
    bool saveFields(QString &key, int &lengthDelta) override;

private:
    ValueList m_track;
    QPushButton *m_listen = nullptr;
};

// The game folder the listen buttons play from: [Folder] Path.
QString gameFolderOf(const workspace::ProgramServices &ctx);

} // namespace commands
