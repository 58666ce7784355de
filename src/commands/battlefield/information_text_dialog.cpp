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

    m_number->load(field(kNumberPos, 4));
    // The one-line box keeps a line feed as a character; the edit box of
    // several lines shows it as a line break.
    setTextBoxText(spec.multiLine ? text(kTextPos) : core::keyTextString(key(), kTextPos));
    m_loadedText = textBoxText();
}

QString InformationTextDialog::textBoxText() const
{
    if (m_line)
        return m_line->text();
    // The edit box holds bare line feeds; the text as the user sees it has a
    // line break (CR LF) at each.
    QString t = m_lines->toPlainText();
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return t;
}

void InformationTextDialog::setTextBoxText(const QString &text)
{
    if (m_line) {
        m_line->setText(text);
        return;
    }
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_lines->setPlainText(t);
}

bool InformationTextDialog::saveFields(QString &key, int &lengthDelta)
{
    setFieldFromBox(key, kNumberPos, m_number->text(), true);
    const QString now = textBoxText();
    if (now == m_loadedText) {
        // Untouched: the stored bytes stay as they are, even bytes that are
        // no valid CP949 text.
        lengthDelta = core::keyReplaceTextBytes(key, kTextPos, core::keyTextAt(key, kTextPos).bytes);
    } else {
        lengthDelta = setText(key, kTextPos, now);
    }
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
