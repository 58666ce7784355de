#include "commands/common/person_list_model.h"

#include "core/param_tags.h"

#include <QCoreApplication>
#include <QPointer>

namespace commands {

PersonListModel::PersonListModel(QObject *parent) : QAbstractListModel(parent)
{
    refresh({});
}

PersonListModel &PersonListModel::shared(const core::NameTables *names)
{
    // Owned by the application, so it goes with the widgets that show it.
    static QPointer<PersonListModel> model;
    if (!model)
        model = new PersonListModel(QCoreApplication::instance());
    const QStringList source = names ? names->charNames : QStringList();
    if (source != model->m_source)
        model->refresh(source);
    return *model;
}

void PersonListModel::refresh(const QStringList &charNames)
{
    beginResetModel();
    m_source = charNames;
    m_texts = QStringList(person::kRowCount);
    for (int i = 0; i < person::kNameCount; ++i) {
        if (i < charNames.size())
            m_texts[i] = charNames.at(i);
        else if (core::isGroupPerson(i))
            m_texts[i] = core::groupPersonWords()[i - core::kGroupAll].toString();
        else if (i >= person::kFirstVariableRow)
            m_texts[i] = u'*' + QString::number(i - person::kFirstVariableRow);
    }
    m_texts[person::kNoneRow] = QStringLiteral("無");
    m_byName.clear();
    m_byName.reserve(person::kNameCount);
    for (int i = person::kNameCount - 1; i >= 0; --i)
        if (!m_texts.at(i).isEmpty())
            m_byName.insert(m_texts.at(i), i);  // walking down leaves the first row
    endResetModel();
}

int PersonListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : person::kRowCount;
}

QVariant PersonListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= person::kRowCount)
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_texts.at(index.row());
    return {};
}

QString PersonListModel::text(int row) const
{
    return row >= 0 && row < person::kRowCount ? m_texts.at(row) : QString();
}

std::optional<int> PersonListModel::rowOfName(const QString &name) const
{
    const auto it = m_byName.constFind(name);
    if (it == m_byName.constEnd())
        return std::nullopt;
    return *it;
}

} // namespace commands
