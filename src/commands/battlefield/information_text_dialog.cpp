#include "commands/battlefield/information_text_dialog.h"

#include "commands/battlefield/battlefield_dialogs.h"
#include "commands/common/number_field.h"
#include "core/key_codec.h"
#include "workspace/dialog_registry.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace commands {

namespace {

const InformationTextSpec kSpecs[] = {
    {0x67, "FrmScene67", u"수정 - 67 : 장명", u"장 수", u"장 이름", true},
    {0x72, "FrmSendInformation72", u"수정 -  72 : 정보전송", u"숫자 정보", u"문자 정보", false},
};

QLabel *labelFor(QWidget *box, const char16_t *text)
{
    auto *label = new QLabel(QString::fromUtf16(text), box->parentWidget());
    label->setObjectName(QStringLiteral("lbl") + box->objectName());
    label->setBuddy(box);
    return label;
}

} // namespace

InformationTextDialog::InformationTextDialog(workspace::EditContext &ctx, const InformationTextSpec &spec)
    : CommandDialog(ctx, spec.code)
{
    setObjectName(QString::fromLatin1(spec.formName));
    setWindowTitle(QString::fromUtf16(spec.title));

    auto *grid = new QGridLayout;
    body()->addLayout(grid);
    m_number = new NumberField(NumberKind::Unclamped, this);
    m_number->setObjectName(QStringLiteral("tNum"));
    grid->addWidget(labelFor(m_number, spec.numberLabel), 0, 0);
    grid->addWidget(m_number, 0, 1);
    QWidget *textBox = nullptr;
    if (spec.multiLine) {
        m_lines = new QPlainTextEdit(this);
        m_lines->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        m_lines->setTabChangesFocus(true);
        textBox = m_lines;
    } else {
        m_line = new QLineEdit(this);
        textBox = m_line;
    }
    textBox->setObjectName(QStringLiteral("tString"));
    grid->addWidget(labelFor(textBox, spec.textLabel), 1, 0, Qt::AlignTop);
    grid->addWidget(textBox, 1, 1);
    if (m_lines)
        m_text.emplace(m_lines);
    else
        m_text.emplace(m_line);
    m_text->addNote(body());

    m_number->load(field(kNumberPos, 4));
    m_text->load(core::keyTextAt(key(), kTextPos).bytes);
}

bool InformationTextDialog::saveFields(QString &key, int &lengthDelta)
{
    setFieldFromBox(key, kNumberPos, m_number->text(), true);
    lengthDelta = core::keyReplaceTextBytes(key, kTextPos, m_text->bytes());
    return true;
}

void registerInformationTextDialogs(workspace::DialogRegistry &registry)
{
    for (const InformationTextSpec &spec : kSpecs) {
        const InformationTextSpec *table = &spec;
        registry.registerDialog(spec.code, QLatin1String(spec.formName),
                                [table](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
                                    return std::make_unique<InformationTextDialog>(ctx, *table);
                                });
    }
}

} // namespace commands
