// Every edit through the window leaves a document that saves, or is refused
// when it is made: refused edits show the command's place and leave the
// tree, the undo stack and the modified mark as they were.
#include "core/catalogue.h"
#include "core/section_check.h"
#include "core/tree_queries.h"
#include "edit_window_fixture.h"
#include "fixtures/damaged_variants.h"
#include "fixtures/scenario_generator.h"
#include "fixtures/tree_walk.h"
#include "workspace/dialog_registry.h"
#include "workspace/edit_dispatch.h"

#include <QDialog>
#include <QElapsedTimer>

#include <iostream>
#include <random>

using namespace edit_window;
using core::NodeId;

namespace {

// A record ending in the marker word 01 00, and a 0x32 whose second tag is
// damaged (72 00 for 02 00) and whose first value, 0x48, makes the bytes
// behind its code word read as a command: a command between the two reads as
// the block of an assumed child event.
const QByteArray endsInMarker = plain(1);
QByteArray damaged32()
{
    return fixtures::hexBytes("32 00 40 00 48 00 72 00 FF FF 04 00 00 00 00 00 04 00 00 00 00 00 04 00 00 00 00 00 "
                              "2B 00 FF FF");
}
// Opens quietly and saves: plain(3) stands between, not the marker word.
QByteArray damagedFile() { return eexFile(endsInMarker + plain(3) + plain(5) + damaged32() + plain(4)); }

const QString kRefusedWords = QStringLiteral("편집하지 않았습니다");

std::vector<NodeId> displayOrder(const core::DocTree &tree)
{
    std::vector<NodeId> out;
    for (NodeId n = tree.nextInOrder(tree.root()); n != core::kNoNode; n = tree.nextInOrder(n))
        out.push_back(n);
    return out;
}

struct EditCheck : EditWindow {
    int refusals(int from) const
    {
        int n = 0;
        for (int i = from; i < prompts.messages.size(); ++i)
            n += prompts.messages[i].text.contains(kRefusedWords);
        return n;
    }
};

// A dialog's OK whose key would leave the Section unsaveable changes nothing
// and says why, naming the command.
TEST_F(EditCheck, ADialogsOkThatWouldLeaveTheDocumentUnsaveableIsRefused)
{
    ASSERT_TRUE(openBytes("d.eex", damagedFile()));
    const NodeId between = byRecord(plain(3));
    ASSERT_NE(between, core::kNoNode);
    select(between);
    const QByteArray before = bytes();
    const int steps = undoSteps();
    // The dialog of 0x0F hands back plain(3) with the value 1: a record that
    // ends in the marker word right before plain(5).
    QString key = tree().key(between);
    core::keyWriteField(key, 9, 2, 1);
    workspace::ScopedDialogOverride dialog{0x0F, [](workspace::EditContext &) { return std::make_unique<QDialog>(); }};
    workspace::ScopedDialogRunner runner{[key](QDialog &, workspace::EditContext &c) {
        c.change = workspace::KeyChange{key, 0, false};
    }};
    const int shown = prompts.messages.size();
    edit->editSelected();
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(undoSteps(), steps);
    EXPECT_FALSE(doc()->modified());
    ASSERT_EQ(refusals(shown), 1);
    const QString text = prompts.messages.back().text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("Scene 1, Section 1, 5번째 명령(%1)").arg(core::menuName(0x0F))))
        << text.toStdString();
    EXPECT_TRUE(core::eexSerializeChecked(tree()).ok);
}

// The property over generated scenarios, undamaged and damaged, through the
// window's own edit commands: every single move up, move down, delete and
// paste on every node either is refused (tree, undo stack and modified mark
// as they were) or leaves a document whose save reads back. Undamaged files
// see no refusal at all.
TEST_F(EditCheck, EverySingleEditOnEveryNodeSavesOrIsRefusedUnchanged)
{
    QElapsedTimer timer;
    timer.start();
    struct File {
        QByteArray bytes;
        bool damaged;
    };
    std::vector<File> files{{damagedFile(), true}};
    for (std::uint64_t seed = 1; seed <= 8; ++seed) {
        fixtures::GeneratorOptions options;
        options.maxScenes = 2;
        options.maxSections = 2;
        options.maxHead = 2;
        options.maxBody = 7;
        options.maxNested = 3;
        options.maxDepth = 2;
        options.armyTables = false;
        const fixtures::GenScenario scenario = fixtures::ScenarioGenerator(seed, options).scenario();
        files.push_back({fixtures::scenarioBytes(scenario), false});
        for (const QByteArray &v : fixtures::damagedVariants(scenario, 6, seed * 977))
            files.push_back({v, true});
    }
    enum Op { Up, Down, Delete, Paste };
    int made = 0, refusedDamaged = 0, refusedUndamaged = 0, opened = 0;
    std::mt19937_64 rng(40);
    for (std::size_t f = 0; f < files.size(); ++f) {
        const int tabs = docs->tabCount();
        if (!openBytes(QStringLiteral("v%1.eex").arg(f), files[f].bytes) || docs->tabCount() == tabs)
            continue;
        // A document that cannot be saved as it opened said so then; the
        // property is about edits of documents that save.
        if (!core::eexSerializeChecked(tree()).ok) {
            docs->closeTab();
            continue;
        }
        ++opened;
        const auto original = fixtures::treeNodes(tree());
        const int count = int(displayOrder(tree()).size());
        for (int i = 0; i < count; ++i) {
            for (const Op op : {Up, Down, Delete, Paste}) {
                const std::string name = "file " + std::to_string(f) + " node " + std::to_string(i) + " op " +
                                         std::to_string(int(op));
                const NodeId n = displayOrder(tree())[std::size_t(i)];
                if (op == Paste) {
                    const auto all = displayOrder(tree());
                    select(all[std::uniform_int_distribution<std::size_t>(0, all.size() - 1)(rng)]);
                    edit->copyCommands();
                }
                select(n);
                const workspace::CommandState state = edit->state();
                const bool enabled = op == Up ? state.moveUp : op == Down ? state.moveDown
                                   : op == Delete ? state.remove : state.paste;
                if (!enabled)
                    continue;
                const int steps = undoSteps();
                const bool modified = doc()->modified();
                const int shown = prompts.messages.size();
                switch (op) {
                case Up: edit->moveUp(); break;
                case Down: edit->moveDown(); break;
                case Delete: edit->deleteCommands(); break;
                case Paste: edit->pasteCommands(); break;
                }
                if (undoSteps() > steps) {
                    ++made;
                    const core::EexSerializeResult s = core::eexSerializeChecked(tree());
                    EXPECT_TRUE(s.ok) << name << ": " << s.message.toStdString();
                    while (undoSteps() > steps)
                        edit->undo();
                    ASSERT_EQ(fixtures::treeNodes(tree()), original) << name;
                } else {
                    ASSERT_EQ(fixtures::treeNodes(tree()), original) << name;
                    EXPECT_EQ(doc()->modified(), modified) << name;
                    const int refused = refusals(shown);
                    (files[f].damaged ? refusedDamaged : refusedUndamaged) += refused;
                }
                if (HasFailure())
                    return;
            }
        }
        docs->closeTab();
    }
    EXPECT_GT(opened, 40);
    EXPECT_GT(made, 800);
    EXPECT_EQ(refusedUndamaged, 0);
    // The hand-made damaged file alone gives refusals.
    EXPECT_GT(refusedDamaged, 0);
    std::cout << opened << " documents, " << made << " edits made, " << refusedDamaged << " refused in "
              << timer.elapsed() << " ms\n";
}

} // namespace
