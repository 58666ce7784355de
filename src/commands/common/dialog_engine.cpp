#include "commands/common/dialog_engine.h"

#include "commands/common/character_picker.h"
#include "commands/common/number_field.h"
#include "commands/common/person_list_model.h"
#include "core/game/game_data.h"
#include "core/key_codec.h"
#include "workspace/dialog_registry.h"

#include <QButtonGroup>
#include <algorithm>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QRadioButton>

namespace commands {

namespace {

std::map<int, const DialogDescription *> &registry()
{
    static std::map<int, const DialogDescription *> map;
    return map;
}

const core::NameTables *nameTables(const workspace::EditContext &ctx)
{
    return ctx.gameData ? &ctx.gameData->names : ctx.captions.names;
}

int pickerElements(const DialogDescription &d)
{
    int n = 0;
    for (const FieldSpec &f : d.fields)
        if (f.kind == FieldKind::Person)
            n = std::max(n, f.element + 1);
    return n;
}

} // namespace

EngineDialog::EngineDialog(workspace::EditContext &ctx, const DialogDescription &description)
    : CommandDialog(ctx, description.code), m_description(description)
{
    setObjectName(QString::fromLatin1(description.formName));
    setWindowTitle(QString::fromUtf16(description.title));
    build();
    load();
}

EngineDialog::~EngineDialog() = default;

void EngineDialog::build()
{
    if (const int elements = pickerElements(m_description)) {
        PickerOptions options = m_description.picker;
        options.pair = options.pair || elements > 1;
        m_picker = new CharacterPicker(this, nameTables(context()), options);
        body()->addWidget(m_picker->modeRow());
    }

    auto *grid = new QGridLayout;
    body()->addLayout(grid);
    m_fields.resize(m_description.fields.size());
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        Field &f = m_fields[i];
        const FieldSpec &spec = m_description.fields[i];
        f.spec = &spec;
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
        const int r = int(i);
        if (spec.kind != FieldKind::Check) {
            auto *label = new QLabel(QString::fromUtf16(spec.label), this);
            label->setObjectName(QStringLiteral("lbl") + name);
            label->setBuddy(f.widget);
            grid->addWidget(label, r, 0);
        }
        grid->addWidget(f.widget, r, 1);
    }
}

void EngineDialog::load()
{
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
    f.items = buildList(f.spec->list, context());
    f.listedItems = f.items.size();
    const int index = selectStored(f.spec->list, f.items, value, context());
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
        return i >= 0 && i < f.items.size() ? f.items.values[std::size_t(i)] : 0;
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
    for (const Field &f : m_fields)
        setField(key, f.spec->pos, f.spec->kind == FieldKind::Number ? f.spec->width : 2, saveValue(f));
    return true;
}

bool EngineDialog::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && m_picker)
        m_picker->applyStartMode(context().readSetting(QStringLiteral("Option"), QStringLiteral("Char_Select")));
    return CommandDialog::event(event);
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

bool registerEngineDialog(const DialogDescription &description)
{
    registry()[description.code] = &description;
    return workspace::registerEditDialog(description.code,
                                         [&description](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> {
                                             return std::make_unique<EngineDialog>(ctx, description);
                                         });
}

bool registerEngineDialog(const DialogDescription &description, workspace::DialogFactory factory)
{
    registry()[description.code] = &description;
    return workspace::registerEditDialog(description.code, std::move(factory));
}

bool registerEngineDialogs(std::span<const DialogDescription> descriptions)
{
    bool all = true;
    for (const DialogDescription &d : descriptions)
        all = registerEngineDialog(d) && all;
    return all;
}

const std::map<int, const DialogDescription *> &engineDialogs()
{
    return registry();
}

} // namespace commands
