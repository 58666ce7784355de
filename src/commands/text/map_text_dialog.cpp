#include "commands/text/map_text_dialog.h"

#include "commands/text/text_dialogs.h"
#include "core/key_codec.h"
#include "workspace/dialog_registry.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace commands {

namespace {

constexpr int kTextPos = 9;

struct FlagSpec
{
    const char *name;
    const char16_t *text;
};
// In key order after the text: each a "2600" tag and a 16-bit value.
constexpr FlagSpec kFlags[3] = {{"ckNew", u"새로 덮음X"}, {"ckLine", u"줄바꿈"}, {"ckDelay", u"대기"}};

int flagPos(const QString &key, int i)
{
    return core::keyTextAt(key, kTextPos).endPos + 4 + 8 * i;
}

} // namespace

MapTextDialog::MapTextDialog(workspace::EditContext &ctx) : CommandDialog(ctx, 0x2C)
{
    setObjectName(QStringLiteral("FrmMapWordShow2C"));
    // Enter in the text box starts a new line.
    configButton()->setDefault(false);
    configButton()->setAutoDefault(false);

    auto *label = new QLabel(QStringLiteral("글자"), this);
    label->setObjectName(QStringLiteral("Label2"));
    body()->addWidget(label);
    m_box = new QPlainTextEdit(this);
    m_box->setObjectName(QStringLiteral("tString"));
    m_box->setTabChangesFocus(true);
    body()->addWidget(m_box);
    m_text.emplace(m_box);
    m_text->addNote(body());
    auto *row = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        m_flags[i] = new QCheckBox(QString::fromUtf16(kFlags[i].text), this);
        m_flags[i]->setObjectName(QString::fromLatin1(kFlags[i].name));
        row->addWidget(m_flags[i]);
    }
    body()->addLayout(row);
    resize(290, 262);

    m_text->load(core::keyTextAt(key(), kTextPos).bytes);
    m_loadedText = text(kTextPos);
    for (int i = 0; i < 3; ++i)
        m_flags[i]->setChecked(field(flagPos(key(), i), 2) == 1);
}

bool MapTextDialog::saveFields(QString &key, int &lengthDelta)
{
    lengthDelta = core::keyReplaceTextBytes(key, kTextPos, m_text->bytes());
    for (int i = 0; i < 3; ++i)
        setField(key, flagPos(key, i), 2, m_flags[i]->isChecked() ? 1 : 0);
    return true;
}

void registerMapTextDialog(workspace::DialogRegistry &registry)
{
    registry.registerDialog(0x2C, QStringLiteral("FrmMapWordShow2C"),
        [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> { return std::make_unique<MapTextDialog>(ctx); });
}

} // namespace commands
