#pragma once
// The unit target block of the battlefield commands: a mode word and the
// fields that name the units a command acts on (a person, a battlefield
// index, a zone of two corner cells with a side). All fields are always
// stored; the mode says which apply, and option buttons show the panel of
// the chosen mode. Three forms exist:
//   PersonBfZone (tag 0x41): 0 person, 1 battlefield index, 2 zone;
//   PersonZone   (tag 0x2C): 0 person, 1 zone;
//   PersonBf     (tag 0x40): 0 person, 1 battlefield index.
// The mode word is at 9 and the person at 17 in every form; the rest follows
// in key order.
#include "commands/common/dialog_description.h"

#include <QObject>
#include <QString>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;
class QWidget;

namespace commands {

class CharacterPicker;
class NumberField;

class UnitTargetBlock : public QObject
{
    Q_OBJECT
public:
    enum Mode { Person, BattlefieldIndex, Zone };

    // Builds the frame and the panels into `layout`; the person panel takes
    // element 0 of the picker (and its mode options when the dialog has them).
    UnitTargetBlock(QWidget *owner, QVBoxLayout *layout, const TargetBlockSpec &spec, CharacterPicker *picker);

    Mode mode() const;
    void setMode(Mode mode);

    // Loads every field of the block from the key; a stored mode without an
    // option loads as the person mode.
    void load(const QString &key);
    // Writes every field, the hidden panels' as they stand.
    void save(QString &key) const;

    QPushButton *zoneMapButton() const { return m_zoneMap; }
    NumberField *corner(int i, bool y) const { return y ? m_cornerY[i] : m_cornerX[i]; }

signals:
    // The zone's map button was clicked.
    void zoneMapRequested();

private:
    bool hasBattlefieldIndex() const;
    bool hasZone() const;
    int cornerPos() const { return hasBattlefieldIndex() ? 37 : 25; }
    int modeValue(Mode mode) const;

    TargetBlockSpec m_spec;
    QRadioButton *m_options[3] = {nullptr, nullptr, nullptr};
    QGroupBox *m_panels[3] = {nullptr, nullptr, nullptr};
    NumberField *m_bfIndex = nullptr;
    NumberField *m_cornerX[2] = {nullptr, nullptr};
    NumberField *m_cornerY[2] = {nullptr, nullptr};
    QComboBox *m_side = nullptr;
    int m_keptSide = -1;  // a stored side past the list, shown last
    QPushButton *m_zoneMap = nullptr;
    CharacterPicker *m_picker = nullptr;
};

} // namespace commands
