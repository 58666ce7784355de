#include "commands/common/dialog_engine.h"

#include "commands/common/character_picker.h"
#include "commands/common/number_field.h"
#include "commands/common/person_list_model.h"
#include "commands/common/placeholder_item.h"
#include "commands/common/unit_target_block.h"
#include "core/game/game_data.h"
#include "core/key_codec.h"
#include "workspace/dialog_registry.h"

#include <QButtonGroup>
#include <algorithm>
#include <climits>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QGroupBox>
#include <QVBoxLayout>

namespace commands {

namespace {

std::map<int, const DialogDescription *> &registry()
{
    static std::map<int, const DialogDescription *> map;
    return map;
}

int pickerElements(const DialogDescription &d)
{
    // The target block's person is element 0.
    int n = d.target.form != TargetForm::None ? 1 : 0;
    for (const FieldSpec &f : d.fields)
        if (f.kind == FieldKind::Person)
            n = std::max(n, f.element + 1);
    return n;
}

} // namespace

CoordinateRow::CoordinateRow(QWidget *owner, const QString &lead)
    : m_label(new QLabel(lead, owner)), m_line(new QWidget(owner))
{
    m_layout = new QHBoxLayout(m_line);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->addStretch();
}

void CoordinateRow::addBox(QWidget *box)
{
    // x , y ) - ( x , y )
    const auto text = [this](const char16_t *t) {
        m_layout->insertWidget(m_layout->count() - 1, new QLabel(QString::fromUtf16(t), m_line));
    };
    if (m_boxes == 2)
        text(u" - (");
    else if (m_boxes % 2 == 1)
        text(u",");
    m_layout->insertWidget(m_layout->count() - 1, box, 1);
    if (m_boxes % 2 == 1)
        text(u")");
    ++m_boxes;
}

void CoordinateRow::addAfter(QWidget *widget)
{
    m_layout->insertWidget(m_layout->count() - 1, widget);
}

QString labelNameOf(const FieldSpec &spec)
{
    return spec.labelName ? QString::fromLatin1(spec.labelName) : QStringLiteral("lbl") + QString::fromLatin1(spec.name);
}

CoordinateRow *CoordinateRows::place(FieldGrid &grid, QWidget *owner, const FieldSpec &spec, QWidget *box)
{
    // Two points at most share a row.
    if (!grid.openRow || grid.openRow->boxes() >= 4) {
        const QString lead = QStringView(spec.label).isEmpty() ? QStringLiteral("좌표 : (") : QString::fromUtf16(spec.label);
        m_rows.push_back(std::make_unique<CoordinateRow>(owner, lead));
        grid.openRow = m_rows.back().get();
        grid.openRow->label()->setObjectName(labelNameOf(spec));
        grid.openRow->label()->setBuddy(box);
        grid.layout->addWidget(grid.openRow->label(), grid.rows, 0);
        grid.layout->addWidget(grid.openRow->line(), grid.rows++, 1);
    }
    grid.openRow->addBox(box);
    m_boxes.emplace_back(QString::fromLatin1(spec.name), grid.openRow);
    return grid.openRow;
}

CoordinateRow *CoordinateRows::rowOf(const QString &name) const
{
    for (const auto &[n, row] : m_boxes)
        if (n == name)
            return row;
    return nullptr;
}

EngineDialog::EngineDialog(workspace::EditContext &ctx, const DialogDescription &description)
    : CommandDialog(ctx, description.code), m_description(description)
{
    setObjectName(QString::fromLatin1(description.formName));
    setWindowTitle(QString::fromUtf16(description.title));
    build();
    load();
}

EngineDialog::~EngineDialog() = default;

void EngineDialog::buildPicker()
{
    const auto &frames = m_description.frames;
    m_modesFramed = std::any_of(frames.begin(), frames.end(), [](const FrameSpec &s) { return s.pickerModes; });
    const int elements = pickerElements(m_description);
    if (!elements)
        return;
    PickerOptions options = m_description.picker;
    options.pair = options.pair || elements > 1;
    m_picker = new CharacterPicker(this, context().nameTables(), options);
    if (m_description.indexedPerson) {
        m_picker->list(0)->setObjectName(QStringLiteral("cbChar0"));
        m_picker->numberBox(0)->setObjectName(QStringLiteral("tNum0"));
        m_picker->nameBox(0)->setObjectName(QStringLiteral("tName0"));
    }
    // The target block places the mode options itself.
    if (!m_modesFramed && m_description.target.form == TargetForm::None)
        body()->addWidget(m_picker->modeRow());
}

void EngineDialog::build()
{
    buildPicker();
    if (m_description.target.form != TargetForm::None) {
        m_target = std::make_unique<UnitTargetBlock>(this, body(), m_description.target, m_picker);
        if (m_description.startModeOnlyForPerson)
            m_picker->startModeCondition = [this] { return m_target->mode() == UnitTargetBlock::Person; };
        connect(m_target.get(), &UnitTargetBlock::zoneMapRequested, this, [this] {
            static const MapButtonRow kZoneCorners{.mode = 3, .x0 = "tX0", .y0 = "tY0", .x1 = "tX1", .y1 = "tY1"};
            openBattleMap(kZoneCorners);
        });
    }

    Grid own{new QGridLayout};
    m_grid = own.layout;
    body()->addLayout(own.layout);
    m_frames.assign(m_description.frames.size(), nullptr);
    m_frameGrids.assign(m_description.frames.size(), Grid{});
    m_fields.resize(m_description.fields.size());
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        Field &f = m_fields[i];
        const FieldSpec &spec = m_description.fields[i];
        f.spec = &spec;
        f.frame = frameOf(int(i));
        const QString name = QString::fromLatin1(spec.name);
        switch (spec.kind) {
        case FieldKind::Person:
            f.widget = m_picker->elementWidget(spec.element);
            break;
        case FieldKind::Number:
            f.number = new NumberField(spec.number, this);
            f.number->setFieldWidth(spec.width);
            f.number->setObjectName(name);
            f.widget = f.number;
            break;
        case FieldKind::List:
            f.list = new QComboBox(this);
            f.list->setObjectName(name);
            f.list->setMaxVisibleItems(25);
            for (const CustomListSpec &c : m_description.customLists)
                if (name == QLatin1String(c.name))
                    f.custom = &c;
            f.widget = f.list;
            break;
        case FieldKind::Check:
            f.check = new QCheckBox(QString::fromUtf16(spec.label), this);
            f.check->setObjectName(name);
            f.widget = f.check;
            break;
        case FieldKind::OptionPair: {
            auto *pair = new QWidget(this);
            auto *row = new QHBoxLayout(pair);
            row->setContentsMargins(0, 0, 0, 0);
            auto *group = new QButtonGroup(pair);
            const char *names[2] = {spec.option0, spec.option1};
            const char16_t *texts[2] = {spec.text0, spec.text1};
            for (int k = 0; k < 2; ++k) {
                f.options[k] = new QRadioButton(QString::fromUtf16(texts[k]), pair);
                f.options[k]->setObjectName(QString::fromLatin1(names[k]));
                group->addButton(f.options[k], k);
                row->addWidget(f.options[k]);
            }
            row->addStretch();
            f.widget = pair;
            break;
        }
        }
        place(f, gridOf(int(i), own));
    }
    buildMapButtons();
}

void EngineDialog::buildMapButtons()
{
    for (const MapButtonRow &spec : m_description.maps) {
        QPushButton *button = makeBattleMapButton(spec);
        if (CoordinateRow *row = m_coordinateRows.rowOf(QString::fromLatin1(spec.y1 ? spec.y1 : spec.y0)))
            row->addAfter(button);
        else
            m_grid->addWidget(button, m_grid->rowCount(), 1);
    }
}

CoordinateRow *EngineDialog::placeCoordinate(FieldGrid &grid, const FieldSpec &spec, QWidget *box)
{
    return m_coordinateRows.place(grid, this, spec, box);
}

int EngineDialog::frameOf(int field) const
{
    const auto &frames = m_description.frames;
    for (std::size_t k = 0; k < frames.size(); ++k)
        if (std::find(frames[k].fields.begin(), frames[k].fields.end(), field) != frames[k].fields.end())
            return int(k);
    return -1;
}

EngineDialog::Grid &EngineDialog::gridOf(int field, Grid &own)
{
    const int k = frameOf(field);
    if (k < 0)
        return own;
    if (!m_frames[std::size_t(k)]) {
        // The frame takes the place of its first field.
        const FrameSpec &spec = m_description.frames[std::size_t(k)];
        auto *frame = new QGroupBox(QString::fromUtf16(spec.caption), this);
        frame->setObjectName(QString::fromLatin1(spec.name));
        auto *inside = new QVBoxLayout(frame);
        if (spec.pickerModes && m_picker)
            inside->addWidget(m_picker->modeRow());
        Grid &grid = m_frameGrids[std::size_t(k)];
        grid.layout = new QGridLayout;
        inside->addLayout(grid.layout);
        own.layout->addWidget(frame, own.rows++, 0, 1, 2);
        own.openRow = nullptr;
        m_frames[std::size_t(k)] = frame;
    }
    return m_frameGrids[std::size_t(k)];
}

void EngineDialog::place(Field &f, Grid &grid)
{
    const FieldSpec &spec = *f.spec;
    if (spec.place == FieldPlace::Coordinate) {
        f.coordinates = m_coordinateRows.place(grid, this, spec, f.widget);
        f.label = f.coordinates->label();
        return;
    }
    grid.openRow = nullptr;
    const int r = grid.rows++;
    if (spec.kind == FieldKind::Check && m_description.checks == CheckPlace::FieldColumn) {
        grid.layout->addWidget(f.widget, r, 1);
        return;
    }
    if (spec.kind == FieldKind::Check || QStringView(spec.label).isEmpty()) {
        grid.layout->addWidget(f.widget, r, 0, 1, 2);
        return;
    }
    auto *label = new QLabel(QString::fromUtf16(spec.label), this);
    label->setObjectName(labelNameOf(spec));
    label->setBuddy(f.widget);
    grid.layout->addWidget(label, r, 0);
    grid.layout->addWidget(f.widget, r, 1);
    f.label = label;
}

void EngineDialog::setFieldShown(int field, bool shown)
{
    const Field &f = m_fields.at(std::size_t(field));
    if (f.frame >= 0) {
        m_frames[std::size_t(f.frame)]->setVisible(shown);
        return;
    }
    if (f.spec->kind == FieldKind::Person) {
        if (!m_modesFramed)
            m_picker->modeRow()->setVisible(shown);
        m_picker->elementWidget(f.spec->element)->setVisible(shown);
    } else if (f.coordinates) {
        f.coordinates->line()->setVisible(shown);
    } else {
        f.widget->setVisible(shown);
    }
    if (f.label)
        f.label->setVisible(shown);
}

bool EngineDialog::placeBesideCoordinates(QWidget *widget)
{
    CoordinateRow *row = m_coordinateRows.first();
    if (!row)
        return false;
    row->addAfter(widget);
    return true;
}

void EngineDialog::load()
{
    if (m_target)
        m_target->load(key());
    // In key order, as the fields' own handlers would see them.
    for (Field &f : m_fields) {
        const FieldSpec &spec = *f.spec;
        switch (spec.kind) {
        case FieldKind::Person:
            m_picker->setStoredValue(spec.element, field(spec.pos, 2) & 0xFFFF);
            break;
        case FieldKind::Number:
            f.number->load(spec.width == 4 ? std::int64_t(field(spec.pos, 4)) : (field(spec.pos, spec.width) & 0xFFFF));
            break;
        case FieldKind::List:
            loadList(f, field(spec.pos, 2) & 0xFFFF);
            break;
        case FieldKind::Check: {
            f.check->setChecked(loadedFlag(spec.flag, field(spec.pos, 2) & 0xFFFF));
            break;
        }
        case FieldKind::OptionPair: {
            f.options[loadedFlag(spec.flag, field(spec.pos, 2) & 0xFFFF) ? 1 : 0]->setChecked(true);
            break;
        }
        }
    }
}

void EngineDialog::loadList(Field &f, int value)
{
    f.loaded = value;
    int index = -1;
    if (f.custom) {
        f.items = f.custom->build(context());
        f.listedItems = f.items.size();
        index = f.custom->select(value, f.items);
        // An item that stands for another value is not the stored one: show
        // the stored value itself and keep it.
        if (index < 0 || index >= f.items.size() || f.items.values[std::size_t(index)] != value) {
            QString word = listWordAt(f.spec->list, context(), key(), f.spec->pos);
            if (word.isEmpty() && f.custom->unlistedText)
                word = f.custom->unlistedText(value, context());
            f.items.texts << placeholderText(word, value, f.items.texts);
            f.items.values.push_back(value);
            index = f.items.size() - 1;
        }
    } else {
        f.items = buildList(f.spec->list, context());
        f.listedItems = f.items.size();
        index = selectStored(f.spec->list, f.items, value, listWordAt(f.spec->list, context(), key(), f.spec->pos));
    }
    f.list->addItems(f.items.texts);
    f.list->setCurrentIndex(index);
}

std::int64_t EngineDialog::saveValue(const Field &f) const
{
    const FieldSpec &spec = *f.spec;
    switch (spec.kind) {
    case FieldKind::Person:
        return m_picker->value(spec.element);
    case FieldKind::Number:
        return f.number->text().startsWith(u'-') ? f.number->text().toLongLong() : f.number->number();
    case FieldKind::List: {
        const int i = f.list->currentIndex();
        return i >= 0 && i < f.items.size() ? f.items.values[std::size_t(i)] : f.loaded;
    }
    case FieldKind::Check:
        return f.check->isChecked() ? 1 : 0;
    case FieldKind::OptionPair:
        return f.options[1]->isChecked() ? 1 : 0;
    }
    return 0;
}

bool EngineDialog::saveFields(QString &key, int &lengthDelta)
{
    lengthDelta = 0;
    if (m_target)
        m_target->save(key);
    for (const Field &f : m_fields) {
        if (f.number && m_description.numbers == NumberSave::WholeNumberOnly) {
            setFieldFromBox(key, f.spec->pos, f.number->text(), f.spec->width == 4);
            continue;
        }
        if (f.number && f.spec->number == NumberKind::SignedText) {
            // Text that is no number in the field's range leaves the stored value.
            if (const auto v = f.number->signedValue())
                setField(key, f.spec->pos, f.spec->width, *v);
            continue;
        }
        setField(key, f.spec->pos, f.spec->kind == FieldKind::Number ? f.spec->width : 2, saveValue(f));
    }
    return true;
}

void EngineDialog::applyStartMode()
{
    if (m_picker)
        m_picker->applyStartMode(context().readSetting(QStringLiteral("Option"), QStringLiteral("Char_Select")));
}

bool EngineDialog::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        applyStartMode();
    return CommandDialog::event(event);
}

void EngineDialog::openBattleMap(const MapButtonRow &row)
{
    openMapPicker(*this, context(), row);
    applyStartMode();
}

QPushButton *EngineDialog::makeBattleMapButton(const MapButtonRow &row)
{
    return makeMapButton(*this, context(), row, {}, [this] { applyStartMode(); });
}

QWidget *EngineDialog::control(int field) const
{
    const Field &f = m_fields.at(std::size_t(field));
    if (f.spec->kind == FieldKind::Person)
        return m_picker->list(f.spec->element);
    if (f.spec->kind == FieldKind::OptionPair)
        return f.options[0];
    return f.widget;
}

std::vector<std::pair<std::int64_t, std::int64_t>> EngineDialog::valueRanges(int field) const
{
    const Field &f = m_fields.at(std::size_t(field));
    switch (f.spec->kind) {
    case FieldKind::Person:
        return {{0, person::kFirstVariableRow - 1}, {person::kFirstVariableValue, person::kNone}};
    case FieldKind::Number: {
        if (f.spec->number == NumberKind::SignedText)
            return {{INT32_MIN, INT32_MAX}};
        const std::int64_t fieldMax = f.spec->width == 4 ? 0x7FFFFFFF : 0xFFFF;
        return {{0, std::min(numberLimit(f.spec->number).value_or(fieldMax), fieldMax)}};
    }
    case FieldKind::List: {
        std::vector<std::pair<std::int64_t, std::int64_t>> r;
        for (int i = 0; i < f.listedItems; ++i)
            r.emplace_back(f.items.values[std::size_t(i)], f.items.values[std::size_t(i)]);
        return r;
    }
    case FieldKind::Check:
    case FieldKind::OptionPair:
        return {{0, 1}};
    }
    return {};
}

void registerEngineDialog(workspace::DialogRegistry &dialogs, const DialogDescription &description)
{
    const DialogDescription *d = &description;
    registerEngineDialog(dialogs, description, [d](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
        return std::make_unique<EngineDialog>(ctx, *d);
    });
}

bool hasOwnChecks(const DialogDescription &description)
{
    return description.target.form != TargetForm::None || !description.maps.empty() ||
           !description.customLists.empty();
}

void registerEngineDialog(workspace::DialogRegistry &dialogs, const DialogDescription &description,
                          workspace::DialogFactory factory)
{
    if (!hasOwnChecks(description))
        registry()[description.code] = &description;
    dialogs.registerDialog(description.code, QString::fromLatin1(description.formName), std::move(factory));
}

void registerEngineDialogs(workspace::DialogRegistry &dialogs, std::span<const DialogDescription> descriptions)
{
    for (const DialogDescription &d : descriptions)
        registerEngineDialog(dialogs, d);
}

const std::map<int, const DialogDescription *> &engineDialogs()
{
    return registry();
}

} // namespace commands
