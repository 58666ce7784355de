#pragma once
// The person list every character picker shows: the 5,124 entries of the
// person-name table (persons, the four groups, the 4,096 variable persons
// "*k") and "無" as row 5,124. One model serves every picker of every
// dialog; it is rebuilt only when the name table it mirrors changes. A hash
// answers the name box's exact lookups.
#include "core/name_tables.h"

#include <QAbstractListModel>
#include <QHash>
#include <QStringList>

#include <optional>

namespace commands {

namespace person {
constexpr int kNameCount = 5124;       // CharName 0..5123
constexpr int kNoneRow = kNameCount;   // "無"
constexpr int kRowCount = kNameCount + 1;
constexpr int kFirstVariableRow = 1028;
constexpr int kNone = 0xFFFF;
constexpr int kVariableBase = 0xFFFE;  // variable k is stored as 0xFFFE - k
constexpr int kFirstVariableValue = 0xEFFF;

// The row a stored person value selects: 0..1027 itself, a variable person
// its "*k" row, anything else (0xFFFF, and 1028..0xEFFE, which name nobody)
// the row "無".
constexpr int rowOfValue(int v)
{
    if (v >= 0 && v < kFirstVariableRow)
        return v;
    if (v >= kFirstVariableValue && v <= kVariableBase)
        return kFirstVariableRow + (kVariableBase - v);
    return kNoneRow;
}
// The value a row stands for.
constexpr int valueOfRow(int row)
{
    if (row < kFirstVariableRow)
        return row;
    if (row < kNoneRow)
        return kVariableBase - (row - kFirstVariableRow);
    return kNone;
}
} // namespace person

class PersonListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    // The shared model, brought up to date with the table (null: no game
    // data, so only the groups and variable persons have names).
    static PersonListModel &shared(const core::NameTables *names);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    QString text(int row) const;
    // The first row 0..5123 whose text equals the name exactly; empty names
    // match nothing.
    std::optional<int> rowOfName(const QString &name) const;

private:
    explicit PersonListModel(QObject *parent);
    void refresh(const QStringList &charNames);

    QStringList m_source;  // the table as last mirrored (shared, so comparing is cheap)
    QStringList m_texts;   // kRowCount rows
    QHash<QString, int> m_byName;
};

} // namespace commands
