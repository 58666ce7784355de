// Command 0x4D "무장상태변경": units (a person, a battlefield index or a zone)
// have an attribute lowered, made normal or raised, status conditions
// inflicted or lifted, and HP and MP taken. The status is a set of bits, one
// check box each; a stored 0xFFFF (the catalogue's "none") ticks nothing and
// OK then writes 0.
#include "commands/battlefield/battlefield_dialogs.h"
#include "commands/common/dialog_engine.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>

#include <iterator>

namespace commands {

namespace {

constexpr int kStatusPos = 109;
constexpr int kLiftBit = 0x80;  // the ticked conditions are lifted, not inflicted

constexpr QStringView kAttributes[] = {u"Atk", u"Def", u"Spr", u"Cri", u"Mor", u"Spped"};
constexpr QStringView kChanges[] = {u"하락", u"정상", u"상승"};

const FieldSpec kFields[] = {
    labelNamed(listField(93, "cbProperty", u"속성", fixedListWithNone(kAttributes, u"無")), "Label5"),
    labelNamed(listField(101, "cbChange", u"변화", fixedListWithNone(kChanges, u"無")), "Label6"),
    labelNamed(numberField(117, "tHP", u"-HP"), "Label7"),
    labelNamed(numberField(129, "tMP", u"-MP"), "Label8"),
};

const struct {
    int bit;
    const char *name;
    const char16_t *text;
} kStatusBits[] = {{0x02, "ckPalsy", u"마비"},
                   {0x04, "ckNotMagic", u"금책"},
                   {0x08, "ckConfuse", u"혼란"},
                   {0x10, "ckPoisoning", u"중독"},
                   {kLiftBit, "ckRemove", u"풀림"}};

class UnitConditionDialog : public EngineDialog
{
public:
    UnitConditionDialog(workspace::EditContext &ctx, const DialogDescription &description)
        : EngineDialog(ctx, description)
    {
        buildStatus();
        loadStatus();
    }

protected:
    bool saveFields(QString &key, int &lengthDelta) override
    {
        EngineDialog::saveFields(key, lengthDelta);
        int status = 0;
        for (std::size_t i = 0; i < std::size(kStatusBits); ++i)
            if (m_bits[i]->isChecked())
                status += kStatusBits[i].bit;
        setField(key, kStatusPos, 2, status);
        return true;
    }

private:
    // The status boxes below the described fields.
    void buildStatus()
    {
        // The conditions in one row, "풀림" below them.
        auto *row = new QHBoxLayout;
        for (std::size_t i = 0; i < std::size(kStatusBits); ++i) {
            m_bits[i] = new QCheckBox(QString::fromUtf16(kStatusBits[i].text), this);
            m_bits[i]->setObjectName(QString::fromLatin1(kStatusBits[i].name));
            if (kStatusBits[i].bit == kLiftBit)
                continue;
            row->addWidget(m_bits[i]);
        }
        row->addStretch();
        grid()->addLayout(row, grid()->rowCount(), 1);
        for (std::size_t i = 0; i < std::size(kStatusBits); ++i)
            if (kStatusBits[i].bit == kLiftBit)
                grid()->addWidget(m_bits[i], grid()->rowCount(), 1);
    }
    void loadStatus()
    {
        const int status = field(kStatusPos, 2) & 0xFFFF;
        for (std::size_t i = 0; i < std::size(kStatusBits); ++i)
            m_bits[i]->setChecked(status != 0xFFFF && (status & kStatusBits[i].bit));
        // OK writes the status as the boxes show it whenever it writes the
        // command at all; only looking at the command leaves it as stored.
        writeOnChange(kStatusPos);
    }
    QCheckBox *m_bits[std::size(kStatusBits)] = {};
};

const DialogDescription kUnitCondition{
    .code = 0x4D,
    .formName = "FrmChangeCondition4D",
    .title = u"수정 - 4D : 무장상태변경",
    .target = {.form = TargetForm::PersonBfZone, .frameCaption = u"Char Or BF Or 구역"},
    .fields = kFields,
    .picker = {.focusSelectsMode = true},
    .startModeOnlyForPerson = true,
    .numbers = NumberSave::WholeNumberOnly,
    .checks = CheckPlace::FieldColumn,
};

} // namespace

void registerUnitConditionDialog(workspace::DialogRegistry &registry)
{
    registerEngineDialogAs<UnitConditionDialog>(registry, kUnitCondition, &kUnitCondition);
}

} // namespace commands
