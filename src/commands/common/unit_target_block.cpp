#include "commands/common/unit_target_block.h"

#include "commands/common/character_picker.h"
#include "commands/common/dialog_engine.h"
#include "commands/common/number_field.h"
#include "commands/common/placeholder_item.h"
#include "core/key_codec.h"
#include "core/param_tags.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace commands {

namespace {

constexpr int kModePos = 9;
constexpr int kPersonPos = 17;
constexpr int kBattlefieldIndexPos = 25;
constexpr int kSideCount = 7;  // the last, "모든부대", is what a side beyond the list loads as

QLabel *label(const char16_t *text, const char *name, QWidget *buddy, QWidget *parent)
{
    auto *l = new QLabel(QString::fromUtf16(text), parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setBuddy(buddy);
    return l;
}

NumberField *box(NumberKind kind, const QString &name, QWidget *parent)
{
    auto *b = new NumberField(kind, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

UnitTargetBlock::UnitTargetBlock(QWidget *owner, QVBoxLayout *layout, const TargetBlockSpec &spec,
                                 CharacterPicker *picker)
    : QObject(owner), m_spec(spec), m_picker(picker)
{
    auto *frame = new QGroupBox(QString::fromUtf16(spec.frameCaption), owner);
    frame->setObjectName(QStringLiteral("Quillframe1"));
    auto *options = new QHBoxLayout(frame);
    const struct {
        Mode mode;
        const char *option;
        const char *panel;
        const char16_t *text;
    } kModes[] = {{Person, "oChar", "gbChar", u"CharIndex"},
                  {BattlefieldIndex, "oBF", "gbBF", u"BFIndex"},
                  {Zone, "oZone", "gbZone", u"구역"}};
    for (const auto &m : kModes) {
        if ((m.mode == BattlefieldIndex && !hasBattlefieldIndex()) || (m.mode == Zone && !hasZone()))
            continue;
        m_options[m.mode] = new QRadioButton(QString::fromUtf16(m.text), frame);
        m_options[m.mode]->setObjectName(QString::fromLatin1(m.option));
        options->addWidget(m_options[m.mode]);
        m_panels[m.mode] = new QGroupBox(QString::fromUtf16(m.text), owner);
        m_panels[m.mode]->setObjectName(QString::fromLatin1(m.panel));
        const Mode mode = m.mode;
        connect(m_options[m.mode], &QRadioButton::clicked, this, [this, mode] { setMode(mode); });
    }
    options->addStretch();
    layout->addWidget(frame);
    if (!spec.modesInPersonPanel)
        layout->addWidget(picker->modeRow());

    // The person panel: the picker's first element.
    {
        auto *panel = new QVBoxLayout(m_panels[Person]);
        if (spec.modesInPersonPanel)
            panel->addWidget(picker->modeRow());
        auto *row = new QHBoxLayout;
        row->addWidget(label(u"인물", spec.personLabel, picker->elementWidget(0), m_panels[Person]));
        row->addWidget(picker->elementWidget(0), 1);
        panel->addLayout(row);
        layout->addWidget(m_panels[Person]);
    }
    if (hasBattlefieldIndex()) {
        auto *row = new QHBoxLayout(m_panels[BattlefieldIndex]);
        m_bfIndex = box(NumberKind::BattlefieldIndex, QStringLiteral("tBFIndex"), m_panels[BattlefieldIndex]);
        row->addWidget(label(u"BFIndex", spec.indexLabel, m_bfIndex, m_panels[BattlefieldIndex]));
        row->addWidget(m_bfIndex, 1);
        layout->addWidget(m_panels[BattlefieldIndex]);
    }
    if (hasZone()) {
        QGroupBox *panel = m_panels[Zone];
        auto *grid = new QGridLayout(panel);
        CoordinateRow corners(panel);
        for (int i = 0; i < 2; ++i) {
            m_cornerX[i] = box(NumberKind::Coordinate, QStringLiteral("tX%1").arg(i), panel);
            m_cornerY[i] = box(NumberKind::Coordinate, QStringLiteral("tY%1").arg(i), panel);
            corners.addBox(m_cornerX[i]);
            corners.addBox(m_cornerY[i]);
        }
        corners.label()->setObjectName(QString::fromLatin1(spec.cornersLabel));
        corners.label()->setBuddy(m_cornerX[0]);
        grid->addWidget(corners.label(), 0, 0);
        grid->addWidget(corners.line(), 0, 1, 1, 2);
        m_side = new QComboBox(panel);
        m_side->setObjectName(QStringLiteral("cbArmy"));
        grid->addWidget(label(u"전투측", spec.sideLabel, m_side, panel), 1, 0);
        for (const QStringView w : core::armySideWords())
            m_side->addItem(w.toString());
        grid->addWidget(m_side, 1, 1);
        m_zoneMap = new QPushButton(QStringLiteral("Map"), panel);
        m_zoneMap->setObjectName(QString::fromLatin1(spec.zoneMapName));
        m_zoneMap->setAutoDefault(false);
        grid->addWidget(m_zoneMap, 1, 2);
        connect(m_zoneMap, &QPushButton::clicked, this, &UnitTargetBlock::zoneMapRequested);
        layout->addWidget(panel);
    }
    setMode(Person);
}

bool UnitTargetBlock::hasBattlefieldIndex() const
{
    return m_spec.form == TargetForm::PersonBfZone || m_spec.form == TargetForm::PersonBf;
}

bool UnitTargetBlock::hasZone() const
{
    return m_spec.form == TargetForm::PersonBfZone || m_spec.form == TargetForm::PersonZone;
}

UnitTargetBlock::Mode UnitTargetBlock::mode() const
{
    for (Mode m : {BattlefieldIndex, Zone})
        if (m_options[m] && m_options[m]->isChecked())
            return m;
    return Person;
}

void UnitTargetBlock::setMode(Mode mode)
{
    if (!m_options[mode])
        mode = Person;
    m_options[mode]->setChecked(true);
    for (int m = 0; m < 3; ++m)
        if (m_panels[m])
            m_panels[m]->setVisible(m == mode);
}

int UnitTargetBlock::modeValue(Mode mode) const
{
    // The zone is the second value where there is no battlefield index.
    if (mode == Zone && !hasBattlefieldIndex())
        return 1;
    return int(mode);
}

void UnitTargetBlock::load(const QString &key)
{
    const int stored = core::keyField(key, kModePos, 2) & 0xFFFF;
    Mode mode = Person;
    for (Mode m : {BattlefieldIndex, Zone})
        if (m_options[m] && stored == modeValue(m))
            mode = m;
    setMode(mode);
    m_picker->setStoredValue(0, core::keyField(key, kPersonPos, 2) & 0xFFFF);
    if (m_bfIndex)
        m_bfIndex->load(core::keyField(key, kBattlefieldIndexPos, 4));
    if (hasZone()) {
        for (int i = 0; i < 2; ++i) {
            m_cornerX[i]->load(core::keyField(key, cornerPos() + 24 * i, 4));
            m_cornerY[i]->load(core::keyField(key, cornerPos() + 24 * i + 12, 4));
        }
        const int side = core::keyField(key, cornerPos() + 48, 2) & 0xFFFF;
        // A side past the list reads as the caption's "모든부대" with its
        // number, and is kept.
        if (side < kSideCount) {
            m_side->setCurrentIndex(side);
        } else {
            m_keptSide = side;
            QStringList own;
            for (int i = 0; i < kSideCount; ++i)
                own << m_side->itemText(i);
            m_side->addItem(placeholderText(core::valueWords(core::tags::ArmySide, side, {}), side, own));
            m_side->setCurrentIndex(kSideCount);
        }
    }
}

void UnitTargetBlock::save(QString &key) const
{
    core::keyWriteField(key, kModePos, 2, modeValue(mode()));
    core::keyWriteField(key, kPersonPos, 2, m_picker->value(0));
    if (m_bfIndex)
        core::keyValueApply(m_bfIndex->text(), key, kBattlefieldIndexPos, true);
    if (hasZone()) {
        for (int i = 0; i < 2; ++i) {
            core::keyValueApply(m_cornerX[i]->text(), key, cornerPos() + 24 * i, true);
            core::keyValueApply(m_cornerY[i]->text(), key, cornerPos() + 24 * i + 12, true);
        }
        core::keyWriteField(key, cornerPos() + 48, 2,
                            m_side->currentIndex() >= kSideCount && m_keptSide >= 0 ? m_keptSide
                                                                                    : m_side->currentIndex());
    }
}

} // namespace commands
