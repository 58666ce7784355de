#pragma once
// The list of the five most recently opened scenario files, kept in the
// settings file under "Recent_Scenario" ("1" the newest). The menu items
// show it through MainWindow::loadRecentItems.
#include <QString>
#include <QStringList>

namespace workspace {

constexpr int kRecentCount = 5;

// Entries 1 to 5 (index 0 is entry 1), trimmed; "" where none is stored.
QStringList recentEntries();
// The list after `path` was opened: it moves to the top (from wherever it
// was), the others move down, and a sixth entry drops out.
QStringList recentWithAdded(const QStringList &entries, const QString &path);
// recentWithAdded, written to the settings file (only entries that change).
void addRecentFile(const QString &path);

} // namespace workspace
