#include "commands/common/character_picker.h"

#include "commands/common/number_field.h"
#include "commands/common/person_list_model.h"
#include "commands/common/placeholder_item.h"
#include "core/param_tags.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>

namespace commands {

namespace {

const QString kNoneText = QStringLiteral("無");

void setTextIfDifferent(QLineEdit *box, const QString &text)
{
    if (box->text() != text)
        box->setText(text);
}

QString controlName(const char *base, int i, bool pair)
{
    QString name = QString::fromLatin1(base);
    if (pair)
        name += QString::number(i);
    return name;
}

} // namespace

CharacterPicker::CharacterPicker(QWidget *owner, const core::NameTables *names, const PickerOptions &options)
    : QObject(owner), m_options(options), m_model(PersonListModel::shared(names))
{
    m_modeRow = new QWidget(owner);
    m_modeRow->setObjectName(QStringLiteral("pickerModes"));
    auto *modes = new QHBoxLayout(m_modeRow);
    modes->setContentsMargins(0, 0, 0, 0);
    const struct {
        const char *name;
        const char16_t *text;
        core::CharSelectMode mode;
    } kModes[] = {{"oList", u"인물 리스트", core::CharSelectMode::List},
                  {"oNum", u"인물 번호", core::CharSelectMode::Number},
                  {"oName", u"인물 이름", core::CharSelectMode::Name}};
    for (const auto &m : kModes) {
        auto *button = new QRadioButton(QString::fromUtf16(m.text), m_modeRow);
        button->setObjectName(QString::fromLatin1(m.name));
        m_modeOptions[int(m.mode)] = button;
        modes->addWidget(button);
        const core::CharSelectMode mode = m.mode;
        connect(button, &QRadioButton::clicked, this, [this, mode] { setMode(mode); });
    }
    modes->addStretch();

    for (int i = 0; i < elementCount(); ++i) {
        Element &e = m_elements[i];
        e.place = new QWidget(owner);
        auto *row = new QHBoxLayout(e.place);
        row->setContentsMargins(0, 0, 0, 0);
        e.list = new QComboBox(e.place);
        e.list->setObjectName(controlName("cbChar", i, options.pair));
        // The view lays out only what it shows, so 5,125 rows open at once.
        auto *view = new QListView(e.list);
        view->setUniformItemSizes(true);
        e.list->setView(view);
        e.list->setModel(&m_model);
        e.list->setMaxVisibleItems(25);
        // Sizing to the contents would measure every one of the 5,125 rows.
        e.list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        e.list->setMinimumContentsLength(14);
        e.number = new NumberField(NumberKind::Unclamped, e.place);
        e.number->setObjectName(controlName("tNum", i, options.pair));
        e.name = new QLineEdit(e.place);
        e.name->setObjectName(controlName("tName", i, options.pair));
        platform::selectAllOnFocus(e.name);
        row->addWidget(e.list, 1);
        row->addWidget(e.number, 1);
        row->addWidget(e.name, 1);
        e.number->installEventFilter(this);
        e.name->installEventFilter(this);

        connect(e.list, &QComboBox::currentIndexChanged, this, [this, i](int r) { onListChosen(i, r); });
        connect(e.number, &QLineEdit::textChanged, this, [this, i] { onNumberChanged(i); });
        connect(e.name, &QLineEdit::textChanged, this, [this, i] { onNameChanged(i); });
        display(i, person::kNoneRow, true, true);
    }
    // A dialog opens in list mode until the start mode is applied.
    m_modeOptions[0]->setChecked(true);
    for (int i = 0; i < elementCount(); ++i) {
        m_elements[i].number->setVisible(false);
        m_elements[i].name->setVisible(false);
    }
}

QRadioButton *CharacterPicker::option(core::CharSelectMode mode) const
{
    return m_modeOptions[int(mode)];
}

void CharacterPicker::setStoredValue(int i, int value)
{
    const int row = person::rowOfValue(value);
    if (row == person::kNoneRow && value != person::kNone)
        displayUnnamed(i, value);
    else
        display(i, row, true, true);
}

void CharacterPicker::displayUnnamed(int i, int value)
{
    Element &e = m_elements[i];
    ++m_busy;
    // The list and the name read as the tree's caption does; the number box
    // holds the number OK writes.
    const QString word = core::personCaption(value, nullptr);
    e.placeholder = placeholderText(word, value, e.list->findText(word) >= 0 ? QStringList{word} : QStringList{});
    e.list->setPlaceholderText(e.placeholder);
    e.list->setCurrentIndex(-1);
    setTextIfDifferent(e.number, QString::number(value));
    setTextIfDifferent(e.name, e.placeholder);
    --m_busy;
}

int CharacterPicker::value(int i) const
{
    return int(m_elements[i].number->number() & 0xFFFF);
}

void CharacterPicker::setMode(core::CharSelectMode mode)
{
    m_mode = mode;
    if (!m_modeOptions[int(mode)]->isChecked())
        m_modeOptions[int(mode)]->setChecked(true);
    for (int i = 0; i < elementCount(); ++i) {
        const Element &e = m_elements[i];
        e.list->setVisible(mode == core::CharSelectMode::List);
        e.number->setVisible(mode == core::CharSelectMode::Number);
        e.name->setVisible(mode == core::CharSelectMode::Name);
    }
    if (!m_options.switchMovesFocus)
        return;
    const Element &first = m_elements[0];
    QWidget *target = mode == core::CharSelectMode::List     ? static_cast<QWidget *>(first.list)
                      : mode == core::CharSelectMode::Number ? static_cast<QWidget *>(first.number)
                                                             : static_cast<QWidget *>(first.name);
    target->setFocus(Qt::OtherFocusReason);
}

void CharacterPicker::applyStartMode(const QString &charSelectText)
{
    if (startModeCondition && !startModeCondition())
        return;
    setMode(core::charSelectModeFromText(charSelectText));
}

bool CharacterPicker::eventFilter(QObject *watched, QEvent *event)
{
    for (int i = 0; i < elementCount(); ++i) {
        const Element &e = m_elements[i];
        if (watched == e.name && event->type() == QEvent::FocusOut)
            onNameLeft(i);
        if (event->type() == QEvent::FocusIn && m_options.focusSelectsMode) {
            // Only the option changes: the box that has the focus is shown.
            const core::CharSelectMode boxMode = watched == e.number ? core::CharSelectMode::Number
                                                 : watched == e.name  ? core::CharSelectMode::Name
                                                                      : m_mode;
            if (boxMode != m_mode) {
                m_mode = boxMode;
                m_modeOptions[int(boxMode)]->setChecked(true);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void CharacterPicker::display(int i, int row, bool setNumber, bool setName)
{
    Element &e = m_elements[i];
    e.placeholder.clear();
    ++m_busy;
    if (e.list->currentIndex() != row)
        e.list->setCurrentIndex(row);
    if (setNumber)
        setTextIfDifferent(e.number, QString::number(person::valueOfRow(row)));
    if (setName)
        setTextIfDifferent(e.name, m_model.text(row));
    --m_busy;
}

void CharacterPicker::onListChosen(int i, int row)
{
    if (m_busy || row < 0)
        return;
    display(i, row, true, true);
}

void CharacterPicker::onNumberChanged(int i)
{
    if (m_busy)
        return;
    const NumberField *box = m_elements[i].number;
    // An emptied box stands for person 0 and shows "0" at once.
    if (box->text().isEmpty()) {
        display(i, 0, true, true);
        return;
    }
    const std::int64_t v = box->number();
    int row = person::kNoneRow;
    if (v >= person::kFirstVariableValue && v <= person::kVariableBase)
        row = person::rowOfValue(int(v));
    else if (v < person::kFirstVariableRow)
        row = int(v);
    // Leading zeros go, and a number that names nobody becomes "65535".
    display(i, row, true, true);
}

void CharacterPicker::onNameChanged(int i)
{
    if (m_busy)
        return;
    if (const std::optional<int> row = m_model.rowOfName(m_elements[i].name->text()))
        display(i, *row, true, false);
}

void CharacterPicker::onNameLeft(int i)
{
    QLineEdit *box = m_elements[i].name;
    // A stored value that names nobody stays until the user changes it.
    if (!m_elements[i].placeholder.isEmpty() && box->text() == m_elements[i].placeholder)
        return;
    if (box->text().isEmpty()) {
        ++m_busy;
        box->setText(kNoneText);
        --m_busy;
    }
    const QString text = box->text();
    if (text != kNoneText && !m_model.rowOfName(text))
        display(i, person::kNoneRow, true, true);
}

} // namespace commands
