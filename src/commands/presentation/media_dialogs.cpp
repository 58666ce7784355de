#include "commands/presentation/media_dialogs.h"

#include "commands/presentation/presentation_dialogs.h"
#include "commands/common/number_field.h"
#include "commands/common/placeholder_item.h"
#include "commands/presentation/dialog_rows.h"
#include "commands/presentation/media_player.h"
#include "core/game/game_files.h"
#include "core/param_tags.h"
#include "platform/cp949.h"
#include "workspace/dialog_registry.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>

#include <algorithm>
#include <numeric>

namespace commands {

namespace {

QComboBox *newList(QWidget *owner, const char *name)
{
    auto *box = new QComboBox(owner);
    box->setObjectName(QString::fromLatin1(name));
    box->setMaxVisibleItems(25);
    return box;
}

std::vector<int> iota(int n)
{
    std::vector<int> v(std::size_t(std::max(n, 0)));
    std::iota(v.begin(), v.end(), 0);
    return v;
}

QPushButton *newListenButton(QWidget *owner)
{
    auto *button = new QPushButton(QStringLiteral("듣기"), owner);
    button->setObjectName(QStringLiteral("cListen"));
    button->setAutoDefault(false);
    return button;
}

} // namespace

void ValueList::fill(const QStringList &texts, const std::vector<int> &itemValues)
{
    box->addItems(texts);
    values = itemValues;
    listed = values.size();
}

void ValueList::select(int value, const QString &word)
{
    const auto it = std::find(values.begin(), values.end(), value);
    if (it != values.end()) {
        box->setCurrentIndex(int(it - values.begin()));
        return;
    }
    QStringList own;
    for (std::size_t i = 0; i < listed; ++i)
        own << box->itemText(int(i));
    box->addItem(placeholderText(word, value, own));
    values.push_back(value);
    box->setCurrentIndex(box->count() - 1);
}

bool ValueList::placeholderChosen() const
{
    return box->currentIndex() >= 0 && std::size_t(box->currentIndex()) >= listed;
}

int ValueList::value() const
{
    const int i = box->currentIndex();
    return i >= 0 && std::size_t(i) < values.size() ? values[std::size_t(i)] : 0;
}

QString gameFolderOf(const workspace::ProgramServices &ctx)
{
    return ctx.readSetting(QStringLiteral("Folder"), QStringLiteral("Path")).trimmed();
}

// --- 0x22 ---------------------------------------------------------------

MovieDialog::MovieDialog(workspace::EditContext &ctx) : CommandDialog(ctx, kCode)
{
    setObjectName(QStringLiteral("FrmMovie22"));
    m_movie.box = newList(this, "cbMovie");
    const QStringList items = media::movieItems(readSettingCount(ctx, media::kAviMax));
    m_movie.fill(items, iota(int(items.size())));
    addLabelledRow(body(), this, "Label1", QStringLiteral("동영상"), m_movie.box);

    const int stored = field(9, 2) & 0xFFFF;
    m_movie.select(stored, captionWordAt(ctx, key(), 9));
}

bool MovieDialog::saveFields(QString &key, int &lengthDelta)
{
    lengthDelta = 0;
    setField(key, 9, 2, m_movie.value());
    return true;
}

// --- 0x23 ---------------------------------------------------------------

MusicDialog::MusicDialog(workspace::EditContext &ctx) : CommandDialog(ctx, kCode)
{
    setObjectName(QStringLiteral("FrmMusic23"));
    const media::EffectCounts counts{readSettingCount(ctx, media::kSeMax), readSettingCount(ctx, media::kSemMax),
                                     readSettingCount(ctx, media::kSeeMax)};
    m_effect.box = newList(this, "cbMusic");
    std::vector<int> values;
    for (int i = 0; i < counts.total(); ++i)
        values.push_back(media::effectValue(i, counts));
    m_effect.fill(media::effectItems(counts), values);
    m_listen = newListenButton(this);
    auto *row = new QHBoxLayout;
    row->addWidget(m_effect.box, 1);
    row->addWidget(m_listen);
    auto *effect = new QWidget(this);
    effect->setLayout(row);
    row->setContentsMargins(0, 0, 0, 0);
    addLabelledRow(body(), this, "Label1", QStringLiteral("음악"), effect);

    m_repeat = new NumberField(NumberKind::Unclamped, this);
    m_repeat->setObjectName(QStringLiteral("tNum"));
    addLabelledRow(body(), this, "Label2", QStringLiteral("반복 수 (0은 무한) "), m_repeat);

    const int stored = field(9, 2) & 0xFFFF;
    m_effect.select(stored, captionWordAt(ctx, key(), 9));
    m_repeat->load(field(17, 4));

    connect(m_listen, &QPushButton::clicked, this, [this] { listen(); });
}

void MusicDialog::listen()
{
    // A kept effect past the list plays its own file, where the game has one.
    if (m_effect.placeholderChosen()) {
        const QString path = core::game::gameFilePath(gameFolderOf(context()),
                                                      QStringLiteral("Wav\\") + media::effectFileOf(m_effect.value()));
        if (QFileInfo(path).isFile())
            MediaPlayer::instance().playEffect(path);
        return;
    }
    const QString name = m_effect.box->currentText();
    if (name.isEmpty())
        return;
    MediaPlayer::instance().playEffect(
        core::game::gameFilePath(gameFolderOf(context()), QStringLiteral("Wav\\") + name));
}

bool MusicDialog::saveFields(QString &key, int &lengthDelta)
{
    lengthDelta = 0;
    setField(key, 9, 2, m_effect.value());
    const QString repeat = m_repeat->text();
    setField(key, 17, 4, repeat.startsWith(u'-') ? repeat.toLongLong() : m_repeat->number());
    return true;
}

void MusicDialog::reject()
{
    MediaPlayer::instance().stopEffect();
    CommandDialog::reject();
}

// --- 0x24 ---------------------------------------------------------------

TrackDialog::TrackDialog(workspace::EditContext &ctx) : CommandDialog(ctx, kCode)
{
    setObjectName(QStringLiteral("FrmTrack24"));
    const int trackMax = readSettingCount(ctx, media::kTrackMax);
    m_track.box = newList(this, "cbTrack");
    std::vector<int> values = iota(trackMax);
    values.push_back(media::kNoTrack);
    m_track.fill(media::trackItems(trackMax), values);
    m_listen = newListenButton(this);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_track.box, 1);
    row->addWidget(m_listen);
    auto *track = new QWidget(this);
    track->setLayout(row);
    addLabelledRow(body(), this, "Label1", QStringLiteral("트랙"), track);

    // 255 is no music; a track beyond the count of the moment is kept under
    // its own name.
    const int stored = field(9, 2) & 0xFFFF;
    m_track.select(stored, captionWordAt(ctx, key(), 9));

    // A track being listened to ends when another is chosen.
    connect(m_track.box, &QComboBox::currentIndexChanged, this, [] { MediaPlayer::instance().stopMusic(); });
    connect(m_listen, &QPushButton::clicked, this, [this] { listen(); });
}

void TrackDialog::listen()
{
    const QString folder = gameFolderOf(context());
    QFile list(core::game::gameFilePath(folder, QStringLiteral("mp3list.txt")));
    if (!list.open(QIODevice::ReadOnly))
        return;
    // The list is a small text file; a longer one is not a music list.
    const QByteArray bytes = list.read(1 << 20);
    // The track the chosen item stands for, a kept one as well; no music
    // plays nothing.
    const int track = m_track.value();
    if (track == media::kNoTrack)
        return;
    const auto file = media::musicFileOfTrack(platform::Cp949::decode(bytes), track);
    if (!file)
        return;
    MediaPlayer::instance().playMusic(core::game::gameFilePath(folder, *file));
}

bool TrackDialog::saveFields(QString &key, int &lengthDelta)
{
    lengthDelta = 0;
    setField(key, 9, 2, m_track.value());
    return true;
}

namespace {

template <typename Dialog>
void registerDialog(workspace::DialogRegistry &registry, const char *formName)
{
    registry.registerDialog(Dialog::kCode, QLatin1String(formName),
                            [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
                                return std::make_unique<Dialog>(ctx);
                            });
}

} // namespace

void registerMediaDialogs(workspace::DialogRegistry &registry)
{
    registerDialog<MovieDialog>(registry, "FrmMovie22");
    registerDialog<MusicDialog>(registry, "FrmMusic23");
    registerDialog<TrackDialog>(registry, "FrmTrack24");
}

} // namespace commands
