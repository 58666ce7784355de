#include "commands/battlefield/battlefield_dialog.h"

#include "commands/common/character_picker.h"
#include "commands/common/number_field.h"
#include "core/game/game_data.h"
#include "core/key_codec.h"
#include "workspace/dialog_registry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace commands {

namespace {

const core::NameTables *nameTables(const workspace::EditContext &ctx)
{
    return ctx.gameData ? &ctx.gameData->names : ctx.captions.names;
}

bool usesPicker(const BattlefieldDescription &d)
{
    if (d.target.form != TargetForm::None)
        return true;
    return std::any_of(d.fields.begin(), d.fields.end(), [](const FieldSpec &f) { return f.kind == FieldKind::Person; });
}

} // namespace

BattlefieldDialog::BattlefieldDialog(workspace::EditContext &ctx, const BattlefieldDescription &description)
    : CommandDialog(ctx, description.code), m_description(description)
{
    setObjectName(QString::fromLatin1(description.formName));
    setWindowTitle(QString::fromUtf16(description.title));
}

BattlefieldDialog::~BattlefieldDialog() = default;

void BattlefieldDialog::setUp()
{
    build();
    buildMapButtons();
    buildMore();
    load();
    loadMore();
}

void BattlefieldDialog::loadBox(NumberField *box, const QString &text)
{
    box->load(text.toLongLong());
}

void BattlefieldDialog::build()
{
    if (usesPicker(m_description)) {
        m_picker = new CharacterPicker(this, nameTables(context()), m_description.picker);
        if (m_description.indexedPerson) {
            m_picker->list(0)->setObjectName(QStringLiteral("cbChar0"));
            m_picker->numberBox(0)->setObjectName(QStringLiteral("tNum0"));
            m_picker->nameBox(0)->setObjectName(QStringLiteral("tName0"));
        }
        if (m_description.target.form == TargetForm::None)
            body()->addWidget(m_picker->modeRow());
    }
    if (m_description.target.form != TargetForm::None) {
        m_target = std::make_unique<UnitTargetBlock>(this, body(), m_description.target, m_picker);
        if (m_description.startModeOnlyForPerson)
            m_picker->startModeCondition = [this] { return m_target->mode() == UnitTargetBlock::Person; };
        connect(m_target.get(), &UnitTargetBlock::zoneMapRequested, this, [this] {
            static const MapButtonRow kZoneCorners{.mode = 3, .x0 = "tX0", .y0 = "tY0", .x1 = "tX1", .y1 = "tY1"};
            openBattleMap(kZoneCorners);
        });
    }

    m_grid = new QGridLayout;
    body()->addLayout(m_grid);
    FieldGrid grid{m_grid};
    m_fields.resize(m_description.fields.size());
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        Field &f = m_fields[i];
        const FieldSpec &spec = m_description.fields[i];
        f.spec = &spec;
        const QString name = QString::fromLatin1(spec.name);
        QWidget *widget = nullptr;
        switch (spec.kind) {
        case FieldKind::Person:
            widget = m_picker->elementWidget(spec.element);
            break;
        case FieldKind::Number:
            f.number = new NumberField(spec.number, this);
            f.number->setFieldWidth(spec.width);
            f.number->setObjectName(name);
            widget = f.number;
            break;
        case FieldKind::List:
            f.list = new QComboBox(this);
            f.list->setObjectName(name);
            f.list->setMaxVisibleItems(25);
            for (const CustomListSpec &c : m_description.customLists)
                if (name == QLatin1String(c.name))
                    f.custom = &c;
            widget = f.list;
            break;
        case FieldKind::Check:
        case FieldKind::OptionPair:
            f.check = new QCheckBox(QString::fromUtf16(spec.label), this);
            f.check->setObjectName(name);
            widget = f.check;
            break;
        }
        if (spec.place == FieldPlace::Coordinate) {
            placeCoordinate(grid, spec, widget);
            continue;
        }
        grid.openRow = nullptr;
        const int row = grid.rows++;
        if (spec.kind != FieldKind::Check) {
            auto *label = new QLabel(QString::fromUtf16(spec.label), this);
            label->setObjectName(labelNameOf(spec));
            label->setBuddy(widget);
            m_grid->addWidget(label, row, 0);
        }
        m_grid->addWidget(widget, row, 1);
    }
}

CoordinateRow *BattlefieldDialog::placeCoordinate(FieldGrid &grid, const FieldSpec &spec, QWidget *box)
{
    return m_coordinateRows.place(grid, this, spec, box);
}

void BattlefieldDialog::buildMapButtons()
{
    for (const MapButtonRow &spec : m_description.maps) {
        QPushButton *button = makeBattleMapButton(spec);
        if (CoordinateRow *row = m_coordinateRows.rowOf(QString::fromLatin1(spec.y1 ? spec.y1 : spec.y0)))
            row->addAfter(button);
        else
            m_grid->addWidget(button, m_grid->rowCount(), 1);
    }
}

void BattlefieldDialog::load()
{
    if (m_target)
        m_target->load(key());
    for (Field &f : m_fields) {
        const FieldSpec &spec = *f.spec;
        switch (spec.kind) {
        case FieldKind::Person:
            m_picker->setStoredValue(spec.element, field(spec.pos, 2) & 0xFFFF);
            break;
        case FieldKind::Number:
            loadBox(f.number, fieldText(spec.pos, spec.width == 4));
            break;
        case FieldKind::List: {
            f.loaded = field(spec.pos, 2) & 0xFFFF;
            int index = -1;
            if (f.custom) {
                f.items = f.custom->build(context());
                index = f.custom->select(f.loaded, f.items);
                // An item that stands for another value is not the stored
                // one: show the stored value itself and keep it.
                if (index < 0 || index >= f.items.size() || f.items.values[std::size_t(index)] != f.loaded) {
                    f.items.texts << (f.custom->unlistedText ? f.custom->unlistedText(f.loaded)
                                                             : placeholderText(spec.list, f.loaded, context()));
                    f.items.values.push_back(f.loaded);
                    index = f.items.size() - 1;
                }
            } else {
                f.items = buildList(spec.list, context());
                index = selectStored(spec.list, f.items, f.loaded, context());
            }
            f.list->addItems(f.items.texts);
            f.list->setCurrentIndex(index);
            break;
        }
        case FieldKind::Check:
        case FieldKind::OptionPair: {
            f.check->setChecked(loadedFlag(spec.flag, field(spec.pos, 2) & 0xFFFF));
            break;
        }
        }
    }
}

bool BattlefieldDialog::saveFields(QString &key, int &lengthDelta)
{
    lengthDelta = 0;
    if (m_target)
        m_target->save(key);
    for (const Field &f : m_fields) {
        const FieldSpec &spec = *f.spec;
        switch (spec.kind) {
        case FieldKind::Person:
            setField(key, spec.pos, 2, m_picker->value(spec.element));
            break;
        case FieldKind::Number:
            setFieldFromBox(key, spec.pos, f.number->text(), spec.width == 4);
            break;
        case FieldKind::List: {
            const int i = f.list->currentIndex();
            setField(key, spec.pos, 2, i >= 0 && i < f.items.size() ? f.items.values[std::size_t(i)] : f.loaded);
            break;
        }
        case FieldKind::Check:
        case FieldKind::OptionPair:
            setField(key, spec.pos, 2, f.check->isChecked() ? 1 : 0);
            break;
        }
    }
    saveMore(key);
    return true;
}

void BattlefieldDialog::applyStartMode()
{
    if (m_picker)
        m_picker->applyStartMode(context().readSetting(QStringLiteral("Option"), QStringLiteral("Char_Select")));
}

bool BattlefieldDialog::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        applyStartMode();
    return CommandDialog::event(event);
}

void BattlefieldDialog::openBattleMap(const MapButtonRow &row)
{
    openMapPicker(*this, context(), row);
    applyStartMode();
}

QPushButton *BattlefieldDialog::makeBattleMapButton(const MapButtonRow &row)
{
    return makeMapButton(*this, context(), row, {}, [this] { applyStartMode(); });
}

void registerBattlefieldDialog(workspace::DialogRegistry &registry, const BattlefieldDescription &description,
                               BattlefieldFactory make)
{
    const BattlefieldDescription *table = &description;
    registry.registerDialog(
        description.code, QString::fromLatin1(description.formName),
        [table, make](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
            std::unique_ptr<BattlefieldDialog> d =
                make ? make(ctx, *table) : std::make_unique<BattlefieldDialog>(ctx, *table);
            d->setUp();
            return d;
        });
}

} // namespace commands
