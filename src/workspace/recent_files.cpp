#include "workspace/recent_files.h"

#include "core/settings.h"

namespace workspace {

namespace {
const QString kSection = QStringLiteral("Recent_Scenario");
}

QStringList recentEntries()
{
    QStringList entries;
    for (int i = 1; i <= kRecentCount; ++i)
        entries.append(core::readINI(kSection, QString::number(i)).trimmed());
    return entries;
}

QStringList recentWithAdded(const QStringList &entries, const QString &path)
{
    QStringList list = entries.mid(0, kRecentCount);
    while (list.size() < kRecentCount)
        list.append(QString());
    const qsizetype found = list.indexOf(path);
    // Found: the entries above it move down over it; not found: all move
    // down and the last falls out.
    list.removeAt(found >= 0 ? found : kRecentCount - 1);
    list.prepend(path);
    return list;
}

void addRecentFile(const QString &path)
{
    const QStringList before = recentEntries();
    const QStringList after = recentWithAdded(before, path);
    for (int i = 0; i < kRecentCount; ++i) {
        if (after[i] != before[i])
            core::writeINI(kSection, QString::number(i + 1), after[i]);
    }
}

} // namespace workspace
