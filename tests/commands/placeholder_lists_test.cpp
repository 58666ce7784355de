// Every list of every dialog, with a stored value it has no item for: the
// placeholder that shows the value reads as the tree's caption reads it (the
// caption's word, or the number where the caption has none), never exactly
// as another item of the list, and an untouched OK keeps the value.
//
// The rows are not written by hand: for every code that has a dialog, the
// dialog is opened on stored keys, every list it shows is found, the item it
// writes is found by choosing another row, and that item is then stored with
// values past the list. A new list joins by being shown.
#include "commands/common/engine_test_support.h"
#include "core/captions.h"
#include "core/catalogue.h"
#include "core/key_codec.h"
#include "core/param_tags.h"
#include "core/game/game_data.h"
#include "fixtures/unit_fixtures.h"
#include "platform/prompts.h"
#include "support/drawn_keys.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QListWidget>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <vector>

namespace {

using enginetest::CommandNode;

// The settings the lists and the captions read.
const core::CaptionSettings kSettings{40, 50, 58, 9};

// Lists that write no item of their own when another row is chosen, each
// with its reason.
struct Unmapped
{
    int code;
    const char *list;
    const char *reason;
};
const Unmapped kUnmapped[] = {
    {0x46, "lChar", "chooses the slot the other controls show"},
    {0x47, "lChar", "chooses the slot the other controls show"},
};

bool isUnmapped(int code, const QString &name)
{
    for (const Unmapped &u : kUnmapped)
        if (u.code == code && name == QLatin1String(u.list))
            return true;
    return false;
}

// A list named so that it is found again in the next opening of the dialog.
struct ListId
{
    QString className;
    QString name;
    int ordinal = 0;
    bool operator<(const ListId &o) const
    {
        return std::tie(className, name, ordinal) < std::tie(o.className, o.name, o.ordinal);
    }
    std::string text() const { return (className + u' ' + name + u'#' + QString::number(ordinal)).toStdString(); }
};

std::vector<std::pair<ListId, QWidget *>> listsOf(QDialog &d)
{
    std::vector<std::pair<ListId, QWidget *>> out;
    std::map<std::pair<QString, QString>, int> seen;
    for (QWidget *w : d.findChildren<QWidget *>()) {
        if (!qobject_cast<QComboBox *>(w) && !qobject_cast<QListWidget *>(w))
            continue;
        const QString cls = QString::fromLatin1(w->metaObject()->className());
        const int ordinal = seen[{cls, w->objectName()}]++;
        if (w->isVisible() && w->isEnabled())
            out.push_back({ListId{cls, w->objectName(), ordinal}, w});
    }
    return out;
}

QWidget *findList(QDialog &d, const ListId &id)
{
    for (const auto &[other, w] : listsOf(d))
        if (!(other < id) && !(id < other))
            return w;
    return nullptr;
}

// What a list shows: its items and the current one (-1: none, the combo's
// placeholder text shown instead).
struct Shown
{
    QStringList items;
    int current = -1;
    QString text;
};

Shown shownBy(QWidget *w)
{
    Shown s;
    if (auto *c = qobject_cast<QComboBox *>(w)) {
        for (int i = 0; i < c->count(); ++i)
            s.items << c->itemText(i);
        s.current = c->currentIndex();
        s.text = s.current >= 0 ? c->itemText(s.current) : c->placeholderText();
    } else if (auto *l = qobject_cast<QListWidget *>(w)) {
        for (int i = 0; i < l->count(); ++i)
            s.items << l->item(i)->text();
        s.current = l->currentRow();
        s.text = s.current >= 0 ? l->item(s.current)->text() : QString();
    }
    return s;
}

// Chooses the row as a user does, and leaves the list (dialogs that store
// a choice when the list is left).
void choose(QWidget *w, int row)
{
    if (auto *c = qobject_cast<QComboBox *>(w)) {
        c->setCurrentIndex(row);
        emit c->activated(row);
        emit c->textActivated(c->itemText(row));
    } else if (auto *l = qobject_cast<QListWidget *>(w)) {
        l->setCurrentRow(row);
    }
    QFocusEvent left(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(w, &left);
}

struct Item
{
    int offset;  // byte offset in the record
    int tag;
    QByteArray bytes;
};

std::vector<Item> itemsOf(const QString &record)
{
    const QByteArray r = core::recordBytes(record).value_or(QByteArray());
    std::vector<Item> out;
    int at = 2;
    while (at < r.size()) {
        const std::optional<int> len = core::itemByteLength(r, at);
        if (!len)
            break;
        out.push_back({at, quint8(r[at]) | quint8(r[at + 1]) << 8, r.mid(at, *len)});
        at += *len;
    }
    return out;
}

// The unit fixtures' game, with a few troop types for the troop list.
const core::game::GameData &game()
{
    static const core::game::GameData data = [] {
        core::game::GameData d = fixtures::unitGameData();
        d.names.troopNames = {QStringLiteral("보병"), QStringLiteral("궁병"), QStringLiteral("기병")};
        return d;
    }();
    return data;
}

std::unique_ptr<CommandNode> openable(const QString &record)
{
    auto cmd = std::make_unique<CommandNode>(record);
    cmd->ctx.gameData = &game();
    cmd->ctx.captions.names = &game().names;
    cmd->ctx.captions.settings = &kSettings;
    return cmd;
}

QString withValue(const QString &record, int valuePos, int value)
{
    QString r = record;
    core::keyWriteField(r, valuePos, 2, value);
    return r;
}

// The stored keys the dialogs are opened on: the new command's, all zeros
// and all FFFF, so that the lists of every mode show.
std::vector<QString> storedRecords(int code)
{
    QRandomGenerator rng(quint32(code) * 31u + 7u);
    return {core::defaultRecord(code).section(u'_', 0, 0), testsupport::drawRecord(code, rng, 1),
            testsupport::drawRecord(code, rng, 2)};
}

class PlaceholderLists : public ::testing::TestWithParam<int>
{
};

TEST_P(PlaceholderLists, AValuePastEveryListReadsAsTheCaptionAndIsKept)
{
    const int code = GetParam();
    platform::ScriptedPrompts prompts;
    const core::CaptionContext captions{&game().names, &kSettings};
    std::set<ListId> done;
    for (const QString &stored : storedRecords(code)) {
        std::vector<std::pair<ListId, int>> lists;  // with their row count
        openable(stored)->edit([&](QDialog &d) {
            for (const auto &[id, w] : listsOf(d))
                lists.push_back({id, int(shownBy(w).items.size())});
        });
        const std::vector<Item> items = itemsOf(stored);
        for (const auto &list : lists) {
            // Named copies for the lambdas below: clang before 16 cannot
            // capture a structured binding.
            const ListId id = list.first;
            const int rows = list.second;
            if (done.count(id))
                continue;
            const std::string where = "code " + QString::number(code, 16).toStdString() + " list " + id.text()
                                    + " stored " + stored.toStdString();
            if (isUnmapped(code, id.name)) {
                done.insert(id);
                continue;
            }
            // The item the list writes: the one another row changes.
            std::optional<std::size_t> field;
            QString written;
            for (int row : {0, 1, rows - 1}) {
                if (field || row < 0 || row >= rows)
                    continue;
                auto cmd = openable(stored);
                cmd->edit([&](QDialog &d) {
                    QWidget *w = findList(d, id);
                    if (!w || shownBy(w).current == row)
                        return;
                    choose(w, row);
                    if (d.isVisible())
                        enginetest::click(d, "cConfig");
                });
                const std::vector<Item> after = itemsOf(cmd->record());
                if (after.size() != items.size())
                    continue;
                for (std::size_t i = 0; i < items.size(); ++i)
                    if (after[i].bytes != items[i].bytes && core::tagValueWidth(items[i].tag) == 2) {
                        field = i;
                        written = cmd->record();
                        break;
                    }
            }
            if (!field)
                continue;  // another stored key may show it writing
            done.insert(id);
            const int valuePos = 2 * items[*field].offset + 5;
            // The list's own rows, with a listed value stored.
            int ownRows = 0;
            openable(written)->edit([&](QDialog &d) {
                if (QWidget *w = findList(d, id))
                    ownRows = int(shownBy(w).items.size());
            });
            int placeholders = 0;
            for (int value : {ownRows, ownRows + 1, 0x7FFF, 0xFFFE, 0xFFFF}) {
                const QString record = withValue(stored, valuePos, value);
                const std::string at = where + " value " + std::to_string(value);
                auto cmd = openable(record);
                const QString key = cmd->key();
                Shown shown;
                cmd->edit([&](QDialog &d) {
                    if (QWidget *w = findList(d, id))
                        shown = shownBy(w);
                    if (d.isVisible())
                        enginetest::click(d, "cConfig");
                });
                // Also a key equal to a new command's template: read from a
                // file, it is a stored command like any other.
                EXPECT_EQ(cmd->key().toStdString(), key.toStdString()) << at;
                const bool placeholder = shown.current < 0 || shown.items.size() > ownRows;
                if (!placeholder)
                    continue;
                ++placeholders;
                const QString word = core::captionWordsAt(key, valuePos, false, captions);
                const QString expected = word.isEmpty() ? QString::number(value) : word;
                // A command whose caption is its name alone shows no word in
                // the tree: its own tag's word or the number will do.
                const bool nameOnly = core::captionArgs(code, core::CaptionSite::Creation).nameOnly;
                EXPECT_TRUE(shown.text.contains(expected) || (nameOnly && shown.text.contains(QString::number(value))))
                    << at << ": shows \"" << shown.text.toStdString() << "\", the caption \""
                    << expected.toStdString() << "\"";
                for (int i = 0; i < shown.items.size(); ++i)
                    if (i != shown.current)
                        EXPECT_NE(shown.items[i].trimmed(), shown.text.trimmed())
                            << at << ": the placeholder reads as item " << i;
            }
            EXPECT_GT(placeholders, 0) << where << ": no value past the list shows a placeholder";
        }
    }
    // Every list shown was checked (or writes no item of its own).
    for (const QString &stored : storedRecords(code))
        openable(stored)->edit([&](QDialog &d) {
            for (const auto &[id, w] : listsOf(d))
                EXPECT_TRUE(done.count(id)) << "code " << std::hex << code << ": " << id.text()
                                            << " writes no item when another row is chosen";
        });
}

INSTANTIATE_TEST_SUITE_P(EveryDialog, PlaceholderLists, ::testing::ValuesIn(testsupport::codesWithDialogs()),
                         [](const ::testing::TestParamInfo<int> &info) {
                             return testsupport::codeCaseName(info.param);
                         });

} // namespace
