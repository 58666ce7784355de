#include "commands/flow/sortie_dialog.h"

#include "commands/flow/flow_dialogs.h"
#include "commands/common/list_sources.h"
#include "commands/common/number_field.h"
#include "commands/common/person_list_model.h"
#include "commands/common/placeholder_item.h"
#include "core/game/game_data.h"
#include "platform/number_box.h"
#include "workspace/dialog_registry.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace commands::flow {

namespace {

const QString kNone = QStringLiteral("無");

struct Busy {
    int &n;
    explicit Busy(int &count) : n(count) { ++n; }
    ~Busy() { --n; }
};

} // namespace

SortieDialog::SortieDialog(workspace::EditContext &ctx)
    : CommandDialog(ctx, kSortieCode), m_people(PersonListModel::shared(ctx.nameTables()))
{
    setObjectName(QStringLiteral("FrmCharWar6"));
    setWindowTitle(QStringLiteral("수정 - 6 : 아군출격설정"));
    m_groups[0].id = SlotGroup::Forced;
    m_groups[1].id = SlotGroup::Barred;

    m_war = new QCheckBox(QStringLiteral("출진 준비"), this);
    m_war->setObjectName(QStringLiteral("ckWar"));
    m_count = new NumberField(NumberKind::BattlefieldIndex, this);
    m_count->setObjectName(QStringLiteral("tGoCharNum"));
    auto *countRow = new QHBoxLayout;
    auto *label1 = new QLabel(QStringLiteral("출전 인물 수  "), this);
    label1->setObjectName(QStringLiteral("Label1"));
    countRow->addWidget(label1);
    countRow->addWidget(m_count);
    countRow->addStretch();

    auto *modeRow = new QHBoxLayout;
    const std::array<std::pair<const char *, QString>, 3> modes = {{{"oList", QStringLiteral("인물 리스트")},
                                                                    {"oNum", QStringLiteral("인물 번호")},
                                                                    {"oName", QStringLiteral("인물 이름")}}};
    auto *modeGroup = new QButtonGroup(this);
    for (int m = 0; m < 3; ++m) {
        m_modes[m] = new QRadioButton(modes[m].second, this);
        m_modes[m]->setObjectName(QString::fromLatin1(modes[m].first));
        modeGroup->addButton(m_modes[m], m);
        modeRow->addWidget(m_modes[m]);
    }
    modeRow->addStretch();

    body()->addWidget(m_war);
    body()->addLayout(countRow);
    body()->addLayout(modeRow);
    body()->addWidget(buildGroup(m_groups[0], QStringLiteral("강제 출현"), "T", "Option1"));
    body()->addWidget(buildGroup(m_groups[1], QStringLiteral("출현 불가"), "F", "Option2"));

    // Load: the slots, the flag, the count, then slot 1 of each group.
    for (Group &g : m_groups)
        for (int i = 0; i < kSortieSlots; ++i)
            g.values[std::size_t(i)] = field(slotPos(g.id, i), 2) & 0xFFFF;
    m_war->setChecked((field(9, 2) & 0xFFFF) == 1);
    m_count->load(field(17, 4));
    for (Group &g : m_groups) {
        const int first = g.values[0];
        // A forced slot 1 without a person opens on the first "無".
        if (g.id == SlotGroup::Forced && first == 0xFFFF)
            showItem(g, 0);
        else
            showValue(g, first);
    }
    setMode(core::CharSelectMode::List);

    connect(modeGroup, &QButtonGroup::idClicked, this, [this](int m) { setMode(core::CharSelectMode(m)); });
    for (Group &g : m_groups) {
        Group *gp = &g;
        connect(g.list, &QComboBox::currentIndexChanged, this, [this, gp] { onListChosen(*gp); });
        connect(g.number, &QLineEdit::textChanged, this, [this, gp] { onNumberChanged(*gp); });
        connect(g.name, &QLineEdit::textChanged, this, [this, gp] { onNameChanged(*gp); });
        for (int i = 0; i < kSortieSlots; ++i)
            connect(g.slotButtons[std::size_t(i)], &QRadioButton::toggled, this, [this, gp, i](bool on) {
                if (!on)
                    return;
                // Pressing a slot button takes the focus from the control,
                // which stores into the slot shown until now.
                storeHeld();
                showSlot(*gp, i);
            });
    }
}

QWidget *SortieDialog::buildGroup(Group &g, const QString &title, const char *suffix, const char *slotName)
{
    auto *box = new QWidget(this);
    auto *layout = new QGridLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *label = new QLabel(title, box);
    label->setObjectName(g.id == SlotGroup::Forced ? QStringLiteral("Label2") : QStringLiteral("Label3"));

    auto *frame = new QGroupBox(QStringLiteral("번호"), box);
    auto *slotRow = new QHBoxLayout(frame);
    for (int i = 0; i < kSortieSlots; ++i) {
        auto *b = new QRadioButton(QString::number(i + 1), frame);
        b->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(slotName)).arg(i));
        slotRow->addWidget(b);
        g.slotButtons[std::size_t(i)] = b;
    }
    g.slotButtons[0]->setChecked(true);

    const QString s = QString::fromLatin1(suffix);
    g.list = new QComboBox(box);
    g.list->setObjectName(QStringLiteral("cbList") + s);
    g.list->setMaxVisibleItems(25);
    QStringList items;
    items.reserve(kSortieItems);
    for (int row = 0; row < kSortieItems; ++row)
        items << m_people.text(row);
    if (g.id == SlotGroup::Forced)
        items[0] = kNone;
    g.list->addItems(items);
    g.number = new platform::NumberBox(box);
    g.number->setObjectName(QStringLiteral("tNum") + s);
    g.name = new QLineEdit(box);
    g.name->setObjectName(QStringLiteral("tName") + s);
    platform::selectAllOnFocus(g.name);
    for (QWidget *w : {static_cast<QWidget *>(g.list), static_cast<QWidget *>(g.number),
                       static_cast<QWidget *>(g.name)})
        w->installEventFilter(this);

    auto *place = new QHBoxLayout;
    place->addWidget(g.list, 1);
    place->addWidget(g.number, 1);
    place->addWidget(g.name, 1);
    layout->addWidget(label, 0, 0);
    layout->addWidget(frame, 0, 1);
    layout->addLayout(place, 1, 1);
    return box;
}

int SortieDialog::shownSlot(const Group &g) const
{
    for (int i = 0; i < kSortieSlots; ++i)
        if (g.slotButtons[std::size_t(i)]->isChecked())
            return i;
    return 0;
}

int SortieDialog::forcedSlot() const { return shownSlot(m_groups[0]); }
int SortieDialog::barredSlot() const { return shownSlot(m_groups[1]); }

int SortieDialog::slotValue(SlotGroup group, int slot) const
{
    return m_groups[std::size_t(group)].values.at(std::size_t(slot));
}

void SortieDialog::showSlot(Group &g, int slot)
{
    g.shown = slot;
    showValue(g, g.values[std::size_t(slot)]);
}

void SortieDialog::showValue(Group &g, int value)
{
    // The placeholder of the slot shown before goes with it.
    dropPlaceholder(g);
    const int item = slotItemOfValue(value);
    if (item != kSortieLastItem || value == 0xFFFF) {
        showItem(g, item);
        return;
    }
    // A value that names nobody (an unnamed person past the table) shows as
    // the tree's caption reads it in an item of its own after the list's
    // items, which keeps it while the slot is shown, until the user picks
    // another.
    Busy busy(m_busy);
    const QString word = captionWordAt(context(), key(), slotPos(g.id, g.shown));
    g.list->addItem(placeholderText(word, value, g.list->findText(word) >= 0 ? QStringList{word} : QStringList{}), value);
    g.list->setCurrentIndex(kSortieItems);
    g.number->setText(QString::number(value));
    g.name->setText(g.list->itemText(kSortieItems));
}

void SortieDialog::dropPlaceholder(Group &g)
{
    // Taking the shown item away is no choice of the user's.
    Busy busy(m_busy);
    while (g.list->count() > kSortieItems)
        g.list->removeItem(g.list->count() - 1);
}

int SortieDialog::listValue(const Group &g) const
{
    const int item = g.list->currentIndex();
    return item >= kSortieItems ? g.list->itemData(item).toInt() : slotValueOfItem(item);
}

// Selects the item and fills the number and name boxes as a click on it does.
void SortieDialog::showItem(Group &g, int item)
{
    if (item >= kSortieItems) {
        // The placeholder, picked again: it shows what it keeps.
        Busy busy(m_busy);
        g.list->setCurrentIndex(item);
        g.number->setText(QString::number(g.list->itemData(item).toInt()));
        g.name->setText(g.list->itemText(item));
        return;
    }
    Busy busy(m_busy);
    g.list->setCurrentIndex(item);
    g.number->setText(QString::number(slotNumberOfItem(g.id, item)));
    g.name->setText(g.list->itemText(item));
}

void SortieDialog::onListChosen(Group &g)
{
    if (m_busy)
        return;
    g.holding = g.list;
    showItem(g, g.list->currentIndex());
}

void SortieDialog::onNumberChanged(Group &g)
{
    if (m_busy)
        return;
    g.holding = g.number;
    const qint64 typed = g.number->value();
    const int item = slotItemOfNumber(typed);
    Busy busy(m_busy);
    g.list->setCurrentIndex(item);
    // A number that names no person turns into the group's "none" at once.
    const int shown = slotNumberOfItem(g.id, item);
    if (shown != typed)
        g.number->setText(QString::number(shown));
    g.name->setText(g.list->itemText(item));
}

void SortieDialog::onNameChanged(Group &g)
{
    if (m_busy)
        return;
    g.holding = g.name;
    // Person 0 cannot be forced: its name reads "無".
    const QString person0 = m_people.text(0);
    if (g.id == SlotGroup::Forced && !person0.isEmpty() && g.name->text() == person0) {
        Busy busy(m_busy);
        g.name->setText(kNone);
    }
}

void SortieDialog::store(Group &g, QWidget *control)
{
    int &slot = g.values[std::size_t(g.shown)];
    if (control == g.list) {
        slot = listValue(g);
    } else if (control == g.number) {
        if (g.number->text().isEmpty())
            g.number->setText(QStringLiteral("0"));
        slot = int(g.number->value());
    } else if (control == g.name) {
        if (g.name->text().isEmpty())
            showItem(g, kSortieLastItem);
        const QString name = g.name->text();
        if (name == kNone) {
            slot = g.id == SlotGroup::Forced ? 0 : 0xFFFF;
        } else if (const std::optional<int> row = m_people.rowOfName(name)) {
            showItem(g, *row);
            slot = slotValueOfItem(*row);
        } else {
            showItem(g, kSortieLastItem);
            slot = 0xFFFF;
        }
    }
    // Last: emptying the number box above runs its own handler.
    if (g.holding == control)
        g.holding = nullptr;
}

void SortieDialog::storeHeld()
{
    for (Group &g : m_groups)
        if (g.holding)
            store(g, g.holding);
}

SortieDialog::Group *SortieDialog::groupOf(QObject *control)
{
    for (Group &g : m_groups)
        if (control == g.list || control == g.number || control == g.name)
            return &g;
    return nullptr;
}

bool SortieDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Leaving a control stores what the user changed in it; a control only
    // looked at stores nothing, so its slot keeps the stored value.
    if (Group *g = groupOf(watched)) {
        if (event->type() == QEvent::FocusOut && g->holding == watched)
            store(*g, static_cast<QWidget *>(watched));
    }
    return CommandDialog::eventFilter(watched, event);
}

void SortieDialog::setMode(core::CharSelectMode mode)
{
    m_mode = mode;
    m_modes[std::size_t(mode)]->setChecked(true);
    for (Group &g : m_groups) {
        g.list->setVisible(mode == core::CharSelectMode::List);
        g.number->setVisible(mode == core::CharSelectMode::Number);
        g.name->setVisible(mode == core::CharSelectMode::Name);
    }
    Group &forced = m_groups[0];
    QWidget *target = mode == core::CharSelectMode::List     ? static_cast<QWidget *>(forced.list)
                      : mode == core::CharSelectMode::Number ? static_cast<QWidget *>(forced.number)
                                                             : static_cast<QWidget *>(forced.name);
    target->setFocus(Qt::OtherFocusReason);
}

bool SortieDialog::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        setMode(core::charSelectModeFromText(
            context().readSetting(QStringLiteral("Option"), QStringLiteral("Char_Select"))));
    return CommandDialog::event(event);
}

bool SortieDialog::saveFields(QString &key, int &lengthDelta)
{
    lengthDelta = 0;
    // Enter pressed in a slot's control: its value is stored as leaving it would.
    storeHeld();
    setField(key, 9, 2, m_war->isChecked() ? 1 : 0);
    const QString count = m_count->text();
    setField(key, 17, 4, count.startsWith(u'-') ? count.toLongLong() : m_count->number());
    for (const Group &g : m_groups)
        for (int i = 0; i < kSortieSlots; ++i)
            setField(key, slotPos(g.id, i), 2, g.values[std::size_t(i)]);
    return true;
}

void registerSortieDialog(workspace::DialogRegistry &registry)
{
    registry.registerDialog(kSortieCode, QStringLiteral("FrmCharWar6"),
        [](workspace::EditContext &ctx) -> std::unique_ptr<QDialog> { return std::make_unique<SortieDialog>(ctx); });
}

} // namespace commands::flow
