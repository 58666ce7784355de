#include "commands/presentation/background_dialog.h"

#include "commands/presentation/presentation_dialogs.h"
#include "commands/common/placeholder_item.h"
#include "commands/presentation/dialog_rows.h"
#include "commands/presentation/media_lists.h"
#include "core/param_tags.h"
#include "workspace/dialog_registry.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace commands {

namespace {

// Where each kind's value sits in the key.
constexpr std::array<int, 4> kPositions{17, 25, 33, 41};

// The item that stands for 0xFFFF, the last of the kind's own items.
int noneItem(const QComboBox *list, int kept)
{
    return list->count() - (kept >= 0 ? 2 : 1);
}

// Selects the item of a stored value, or adds one that shows and keeps it,
// reading `word` (see placeholderText).
int selectOrKeep(QComboBox *list, int value, int listedIndex, const QString &word)
{
    if (listedIndex >= 0) {
        list->setCurrentIndex(listedIndex);
        return -1;
    }
    QStringList own;
    for (int i = 0; i < list->count(); ++i)
        own << list->itemText(i);
    list->addItem(placeholderText(word, value, own));
    list->setCurrentIndex(list->count() - 1);
    return value;
}

} // namespace

BackgroundDialog::BackgroundDialog(workspace::EditContext &ctx) : CommandDialog(ctx, kCode)
{
    setObjectName(QStringLiteral("FrmBackGround27"));

    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("cbKind"));
    m_kind->addItems({QStringLiteral("외배경"), QStringLiteral("중국지도"), QStringLiteral("내배경"),
                      QStringLiteral("전장지도")});
    addLabelledRow(body(), this, "Label1", QStringLiteral("배경 유형"), m_kind);

    const int mmap1 = readSettingCount(ctx, media::kMMap1Max);
    const int mmap2 = readSettingCount(ctx, media::kMMap2Max);
    const int sce = readSettingCount(ctx, media::kSceMax);
    const std::array<QStringList, 4> items{
        media::outerBackgroundItems(mmap1),
        QStringList{QStringLiteral("중국지도"), QStringLiteral("無")},
        media::innerBackgroundItems(mmap1, mmap2),
        media::battleMapItems(sce),
    };
    const char *listNames[] = {"cbOut", "cbWholeMap", "cbIn", "cbHM"};
    const char *labelNames[] = {"Label2", "Label3", "Label4", "Label5"};
    const char16_t *labelTexts[] = {u"외배경", u"중국지도", u"내배경", u"전장지도"};

    // The four lists share one place; only the chosen kind's is shown.
    auto *place = new QGridLayout;
    for (std::size_t k = 0; k < 4; ++k) {
        m_lists[k] = new QComboBox(this);
        m_lists[k]->setObjectName(QString::fromLatin1(listNames[k]));
        m_lists[k]->setMaxVisibleItems(25);
        m_lists[k]->addItems(items[k]);
        m_labels[k] = new QLabel(QString::fromUtf16(labelTexts[k]), this);
        m_labels[k]->setObjectName(QString::fromLatin1(labelNames[k]));
        m_labels[k]->setBuddy(m_lists[k]);
        place->addWidget(m_labels[k], 0, 0);
        place->addWidget(m_lists[k], 0, 1);
    }
    place->setColumnStretch(1, 1);
    body()->addLayout(place);

    const int kind = field(9, 2) & 0xFFFF;
    // A kind past the four reads as it loads: the outer background.
    const QString kindWord = captionWordAt(ctx, key(), 9);
    m_keptKind = selectOrKeep(m_kind, kind, kind < 4 ? kind : -1, kindWord.isEmpty() ? m_kind->itemText(0) : kindWord);
    connect(m_kind, &QComboBox::currentIndexChanged, this, [this](int i) { showKindList(i); });
    // Selecting the kind shows its list, as the user's choice does; a kind
    // no item stands for shows the outer backgrounds.
    showKindList(m_keptKind >= 0 ? 0 : m_kind->currentIndex());

    for (std::size_t k = 0; k < 4; ++k) {
        const int v = field(kPositions[k], 2) & 0xFFFF;
        QComboBox *list = m_lists[k];
        const int none = noneItem(list, -1);
        int listed = -1;
        if (k == 1)
            listed = v == 0 ? 0 : v == media::kNone ? 1 : -1;
        else
            listed = v < none ? v : v == media::kNone ? none : -1;
        m_kept[k] = selectOrKeep(list, v, listed, captionWordAt(ctx, key(), kPositions[k]));
    }
}

void BackgroundDialog::showKindList(int kind)
{
    const int shown = kind == 4 && m_keptKind >= 0 ? 0 : kind >= 0 && kind <= 2 ? kind : 3;
    for (int k = 0; k < 4; ++k) {
        m_lists[std::size_t(k)]->setVisible(k == shown);
        m_labels[std::size_t(k)]->setVisible(k == shown);
    }
}

bool BackgroundDialog::saveFields(QString &key, int &lengthDelta)
{
    lengthDelta = 0;
    const int kind = m_kind->currentIndex();
    setField(key, 9, 2, kind == 4 && m_keptKind >= 0 ? m_keptKind : std::max(kind, 0));
    for (std::size_t k = 0; k < 4; ++k) {
        const QComboBox *list = m_lists[k];
        const int i = list->currentIndex();
        const int none = noneItem(list, m_kept[k]);
        const int value = i > none && m_kept[k] >= 0 ? m_kept[k] : i < 0 || i >= none ? media::kNone : i;
        setField(key, kPositions[k], 2, value);
    }
    return true;
}

void registerBackgroundDialog(workspace::DialogRegistry &registry)
{
    registry.registerDialog(BackgroundDialog::kCode, QStringLiteral("FrmBackGround27"),
        [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
            return std::make_unique<BackgroundDialog>(ctx);
        });
}

} // namespace commands
