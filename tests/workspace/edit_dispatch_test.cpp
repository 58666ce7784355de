// The edit dispatch: which codes open a dialog, when an edit counts, where
// the record goes, and the pop-up commands.
#include "workspace/edit_dispatch.h"

#include "core/catalogue.h"
#include "core/edit_history.h"
#include "core/key_codec.h"
#include "core/tree_queries.h"
#include "fixtures/nested_length_check.h"
#include "workspace/dialog_registry.h"

#include <QDialog>
#include <gtest/gtest.h>

#include <algorithm>

#include <memory>
#include <set>
#include <vector>

using namespace core;
using namespace workspace;

namespace {

struct Record
{
    NodeId node;
    QString oldKey, oldCaption, newKey, newCaption;
};

// A document with one Section; commands go into its body.
struct Document
{
    DocTree tree;
    fixtures::SectionNodes sec;
    NodeId scene = kNoNode;
    KeySerial serial = 1;
    int marks = 0;
    std::vector<Record> records;
    core::EditHistory history;
    EditContext ctx{tree};

    Document()
    {
        scene = fixtures::addScenarioRoot(tree);
        sec = fixtures::addSection(tree, scene, 0);
        ctx.keySerial = &serial;
        ctx.history = &history;
        ctx.markModified = [this] { ++marks; };
        ctx.recordEdit = [this](NodeId n, const QString &ok, const QString &oc, const QString &nk,
                                const QString &nc) { records.push_back({n, ok, oc, nk, nc}); };
    }

    NodeId addCommand(const QString &record, NodeId before = kNoNode, Relation where = Relation::Before)
    {
        const QString key = serialKey(record, u"", serial++);
        return tree.add(before ? before : sec.bodyEnd, where, key,
                        commandCaption(key, CaptionSite::Creation, false, {}));
    }
    NodeId addCommand(int code) { return addCommand(defaultRecord(code)); }
};

// Records every window the registry shows and lets a test act on it.
struct Runner
{
    std::vector<QString> shown;
    std::function<void(QDialog &, EditContext &)> act;
    ScopedDialogRunner scope{[this](QDialog &d, EditContext &c) {
        shown.push_back(d.objectName());
        if (act)
            act(d, c);
    }};
};

DialogFactory namedDialog(const QString &name)
{
    return [name](EditContext &) {
        auto d = std::make_unique<QDialog>();
        d->setObjectName(name);
        return d;
    };
}

QString codeName(int code) { return QStringLiteral("code-%1").arg(code, 2, 16, QLatin1Char('0')); }

// Written out from the command list, not taken from the dispatch table.
const std::set<int> kCodesWithoutDialog{0x00, 0x01, 0x03, 0x07, 0x0A, 0x0C, 0x0D, 0x0E, 0x10,
                                        0x1C, 0x1D, 0x1E, 0x2F, 0x42, 0x43, 0x44, 0x49, 0x51,
                                        0x54, 0x5A, 0x5E, 0x5F, 0x61, 0x6A, 0x76};
const std::set<int> kSharedTextCodes{0x02, 0x14, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x69};

TEST(EditDispatchTable, EveryCodeOpensItsRegisteredDialogOrNone)
{
    // The registry holds the window names; the dispatch asks it, and the
    // catalogue, which codes have a dialog at all.
    const auto formOf = [](int code) { return kSharedTextCodes.count(code) ? kSharedTextForm : codeName(code); };
    std::vector<std::unique_ptr<ScopedDialogOverride>> overrides;
    for (int code = 0; code < kCommandCount; ++code)
        overrides.push_back(std::make_unique<ScopedDialogOverride>(code, namedDialog(codeName(code)), formOf(code)));

    Document doc;
    Runner runner;
    int withDialog = 0;
    QString lastTextName;
    for (int code = 0; code < kCommandCount; ++code) {
        SCOPED_TRACE(code);
        const NodeId n = doc.addCommand(code);
        doc.tree.setSelected(n);
        runner.shown.clear();
        EXPECT_FALSE(openNodeEditor(doc.ctx));
        EXPECT_EQ(doc.ctx.node, n);

        const bool expected = !kCodesWithoutDialog.count(code);
        withDialog += expected;
        EXPECT_EQ(hasEditDialog(code), expected);
        EXPECT_EQ(editFormName(code), expected ? formOf(code) : QString());
        if (expected)
            EXPECT_EQ(runner.shown, std::vector<QString>{codeName(code)});
        else
            EXPECT_TRUE(runner.shown.empty());

        // Only the shared text dialog's codes set the menu name; it keeps
        // its value across every other code.
        if (kSharedTextCodes.count(code))
            lastTextName = menuName(code);
        EXPECT_EQ(usesSharedTextDialog(code), kSharedTextCodes.count(code) == 1);
        EXPECT_EQ(doc.ctx.menuName, lastTextName);
    }
    EXPECT_EQ(withDialog, 97);
    EXPECT_TRUE(doc.records.empty());
    EXPECT_EQ(doc.marks, 0);

    EXPECT_FALSE(hasEditDialog(0x7A));
    EXPECT_TRUE(editFormName(0x7A).isEmpty());
    EXPECT_FALSE(hasEditDialog(-1));
}

TEST(EditDispatchOpeners, StructuralNodesOpenNothingAndKeepCurrentNode)
{
    // The shared text dialog's codes are registered under its window name,
    // as the text commands register them.
    std::vector<std::unique_ptr<ScopedDialogOverride>> overrides;
    for (int code = 0; code < kCommandCount; ++code)
        overrides.push_back(std::make_unique<ScopedDialogOverride>(
            code, namedDialog(codeName(code)), kSharedTextCodes.count(code) ? kSharedTextForm : QString()));
    Document doc;
    Runner runner;
    const NodeId sentinel = doc.addCommand(0x14);
    for (NodeId n : {doc.tree.root(), doc.scene, doc.sec.section}) {
        doc.ctx.node = sentinel;
        doc.tree.setSelected(n);
        EXPECT_FALSE(canOpenEditor(doc.tree, n));
        EXPECT_FALSE(openNodeEditor(doc.ctx));
        EXPECT_EQ(doc.ctx.node, sentinel);
    }
    // End nodes, a child-event marker and the locked title comment reach the
    // dispatch; only the comment has a dialog.
    const NodeId marker = doc.addCommand(QStringLiteral("0100"));
    for (NodeId n : {doc.sec.headEnd, doc.sec.bodyEnd, marker}) {
        doc.tree.setSelected(n);
        EXPECT_TRUE(canOpenEditor(doc.tree, n));
        EXPECT_FALSE(openNodeEditor(doc.ctx));
        EXPECT_EQ(doc.ctx.node, n);
    }
    EXPECT_TRUE(runner.shown.empty());
    doc.tree.setSelected(doc.sec.title);
    openNodeEditor(doc.ctx);
    EXPECT_EQ(runner.shown, std::vector<QString>{codeName(2)});
    EXPECT_EQ(doc.ctx.menuName, menuName(2));
    EXPECT_TRUE(doc.records.empty());
    EXPECT_EQ(doc.marks, 0);
}

struct EditOutcome : ::testing::Test
{
    Document doc;
    NodeId talk = kNoNode;
    ScopedDialogOverride dialog{0x30, namedDialog(QStringLiteral("test"))};
    Runner runner;

    void SetUp() override
    {
        talk = doc.addCommand(0x30);
        doc.tree.setSelected(talk);
    }
    // What a dialog does on OK: hands a key back; the document is the
    // dispatch's to change.
    void confirmWith(const QString &key)
    {
        runner.act = [key](QDialog &, EditContext &c) { c.change = KeyChange{key, 0, false}; };
    }
};

TEST_F(EditOutcome, CancelRecordsNothing)
{
    runner.act = [](QDialog &d, EditContext &) { d.reject(); };
    EXPECT_FALSE(editNodeInDialog(doc.ctx));
    EXPECT_EQ(runner.shown.size(), 1u);
    EXPECT_TRUE(doc.records.empty());
    EXPECT_EQ(doc.marks, 0);
}

TEST_F(EditOutcome, SameKeyRecordsNothingAndKeepsTheCaption)
{
    const QString caption = QStringLiteral("30 : 읽은 그대로");
    doc.tree.setText(talk, caption);
    confirmWith(doc.tree.key(talk));
    EXPECT_FALSE(editNodeInDialog(doc.ctx));
    EXPECT_TRUE(doc.records.empty());
    EXPECT_EQ(doc.marks, 0);
    EXPECT_EQ(doc.tree.text(talk), caption);
}

TEST_F(EditOutcome, TheDialogNeverWritesTheDocument)
{
    // Whatever a dialog did to the tree, only what it hands back counts.
    const QString oldKey = doc.tree.key(talk);
    runner.act = [](QDialog &, EditContext &) {};
    EXPECT_FALSE(editNodeInDialog(doc.ctx));
    EXPECT_EQ(doc.tree.key(talk), oldKey);
    EXPECT_FALSE(doc.ctx.change.has_value());
}

TEST_F(EditOutcome, ChangedKeyRecordsOneEditAndMarksOnce)
{
    const QString oldKey = doc.tree.key(talk);
    const QString oldCaption = doc.tree.text(talk);
    QString newKey = oldKey;
    keyWriteField(newKey, 9, 2, 7);
    confirmWith(newKey);
    EXPECT_TRUE(editNodeInDialog(doc.ctx));
    ASSERT_EQ(doc.records.size(), 1u);
    EXPECT_EQ(doc.records[0].node, talk);
    EXPECT_EQ(doc.records[0].oldKey, oldKey);
    EXPECT_EQ(doc.records[0].oldCaption, oldCaption);
    EXPECT_EQ(doc.records[0].newKey, newKey);
    EXPECT_EQ(doc.records[0].newCaption, commandCaption(newKey, CaptionSite::Creation, false, {}));
    EXPECT_EQ(doc.tree.text(talk), doc.records[0].newCaption);
    EXPECT_FALSE(doc.ctx.change.has_value());
    EXPECT_EQ(doc.marks, 1);
    // One step on the document's stack, whose text is the edit record's.
    ASSERT_EQ(doc.history.undoStepCount(), 1);
    EXPECT_EQ(doc.history.undoTop()->record(0).kind(), core::RecordKind::Edit);
    EXPECT_EQ(doc.history.undoTop()->text(),
              QStringList({newKey, doc.records[0].newCaption, oldKey, oldCaption}).join(core::kRecordSeparator));
    NodeId focus = kNoNode;
    ASSERT_TRUE(doc.history.undo(focus));
    EXPECT_EQ(focus, talk);
    EXPECT_EQ(doc.tree.key(talk), oldKey);
    EXPECT_EQ(doc.tree.text(talk), oldCaption);
}

TEST_F(EditOutcome, RecordGoesToTheDocumentOpenedEvenIfTheTabChanges)
{
    Document other;
    const NodeId otherNode = other.addCommand(0x30);
    other.tree.setSelected(otherNode);
    const QString otherKey = other.tree.key(otherNode);
    QString newKey = doc.tree.key(talk);
    keyWriteField(newKey, 9, 2, 9);

    runner.act = [&](QDialog &, EditContext &c) {
        // The dialog hands back its key, then the window switches the
        // context to another tab before the dialog has returned.
        c.change = KeyChange{newKey, 0, false};
        c.tree = &other.tree;
        c.node = otherNode;
        c.markModified = other.ctx.markModified;
        c.recordEdit = other.ctx.recordEdit;
    };
    EXPECT_TRUE(editNodeInDialog(doc.ctx));
    ASSERT_EQ(doc.records.size(), 1u);
    EXPECT_EQ(doc.records[0].node, talk);
    EXPECT_EQ(doc.marks, 1);
    EXPECT_TRUE(other.records.empty());
    EXPECT_EQ(other.marks, 0);
    EXPECT_EQ(other.tree.key(otherNode), otherKey);
}

// A parent whose children are own-unit placements mixed with other commands.
struct WholeArmy : ::testing::Test
{
    Document doc;
    NodeId parent = kNoNode;
    std::vector<NodeId> units, others;

    void addChildren(int unitCount)
    {
        parent = doc.addCommand(0x2E);  // any node can hold the run
        for (int i = 0; i < unitCount; ++i) {
            if (i % 7 == 3)
                others.push_back(doc.addCommand(defaultRecord(0x30), parent, Relation::LastChild));
            units.push_back(doc.addCommand(defaultRecord(0x4B), parent, Relation::LastChild));
        }
        others.push_back(doc.addCommand(QStringLiteral("0000"), parent, Relation::LastChild));
    }
};

TEST_F(WholeArmy, PlacesOnlyOwnUnitsAtMostForty)
{
    addChildren(45);
    std::vector<QString> otherKeys;
    for (NodeId n : others)
        otherKeys.push_back(doc.tree.key(n));
    std::vector<QPoint> cells;
    for (int i = 0; i < 60; ++i)
        cells.push_back(QPoint((i + 1) % 41, (i * 3) % 41));

    EXPECT_EQ(wholeArmyTargets(doc.tree, parent).size(), 40u);
    EXPECT_EQ(placeArmyOnCells(doc.ctx, parent, cells), 40);
    EXPECT_EQ(doc.records.size(), 40u);
    EXPECT_EQ(doc.marks, 1);
    for (std::size_t i = 0; i < units.size(); ++i) {
        SCOPED_TRACE(i);
        const QString &key = doc.tree.key(units[i]);
        if (i < 40) {
            EXPECT_EQ(keyField(key, 21, 4), cells[i].x());
            EXPECT_EQ(keyField(key, 33, 4), cells[i].y());
            EXPECT_EQ(doc.tree.text(units[i]), commandCaption(key, CaptionSite::Creation, false, {}));
            EXPECT_EQ(doc.records[i].node, units[i]);
            EXPECT_EQ(doc.records[i].newKey, key);
        } else {
            EXPECT_EQ(recordPart(key), defaultRecord(0x4B));
        }
    }
    for (std::size_t i = 0; i < others.size(); ++i)
        EXPECT_EQ(doc.tree.key(others[i]), otherKeys[i]);
    // The same road as the dispatch: one edit step per unit on the stack,
    // undone one by one back to the default placement.
    ASSERT_EQ(doc.history.undoStepCount(), 40);
    NodeId focus = kNoNode;
    for (int i = 39; i >= 0; --i) {
        ASSERT_TRUE(doc.history.undo(focus));
        EXPECT_EQ(focus, units[std::size_t(i)]);
        EXPECT_EQ(recordPart(doc.tree.key(units[std::size_t(i)])), defaultRecord(0x4B));
    }
}

TEST_F(WholeArmy, FewerCellsPlaceFewerUnitsAndNoneMarksNothing)
{
    addChildren(5);
    EXPECT_EQ(placeArmyOnCells(doc.ctx, parent, {QPoint(1, 2), QPoint(3, 4)}), 2);
    EXPECT_EQ(doc.records.size(), 2u);
    EXPECT_EQ(doc.marks, 1);
    EXPECT_EQ(placeArmyOnCells(doc.ctx, parent, {}), 0);
    EXPECT_EQ(doc.marks, 1);
    // A unit placed on the cell it already has is no edit.
    EXPECT_EQ(placeArmyOnCells(doc.ctx, parent, {QPoint(1, 2)}), 0);
    EXPECT_EQ(doc.records.size(), 2u);
    EXPECT_EQ(doc.marks, 1);
}

TEST_F(WholeArmy, PopUpCommandAsksThePickerForTheRunAndPlacesWhatItPicked)
{
    addChildren(3);
    doc.tree.setSelected(parent);
    std::vector<BattleMapRequest> asked;
    std::optional<BattleMapPick> answer = BattleMapPick{{}, std::nullopt, {QPoint(1, 2), QPoint(3, 4)}};
    ScopedMapPickers picker({.battle = [&](EditContext &, const BattleMapRequest &r) {
        asked.push_back(r);
        return answer;
    }});
    runWholeArmyPlacement(doc.ctx);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].mode, 5);
    EXPECT_TRUE(asked[0].whole);
    EXPECT_EQ(asked[0].runUnits, units.size());
    EXPECT_EQ(keyField(doc.tree.key(units[1]), 21, 4), 3);
    EXPECT_EQ(keyField(doc.tree.key(units[1]), 33, 4), 4);
    EXPECT_EQ(doc.records.size(), 2u);
    EXPECT_EQ(doc.marks, 1);

    // A run ended before any click still marks the tab; a cancelled picker
    // changes nothing.
    answer = BattleMapPick{};
    runWholeArmyPlacement(doc.ctx);
    EXPECT_EQ(doc.records.size(), 2u);
    EXPECT_EQ(doc.marks, 2);
    answer.reset();
    runWholeArmyPlacement(doc.ctx);
    EXPECT_EQ(doc.records.size(), 2u);
    EXPECT_EQ(doc.marks, 2);

    EXPECT_TRUE(showWholeArmyItem(doc.tree, parent));
    EXPECT_FALSE(showDuelPreviewItem(doc.tree, parent));
    doc.addCommand(defaultRecord(0x68), parent, Relation::LastChild);
    EXPECT_TRUE(showDuelPreviewItem(doc.tree, parent));
    EXPECT_FALSE(showWholeArmyItem(doc.tree, doc.sec.section));
}

TEST(EditDispatchTools, PopUpCommandsOpenTheirToolsThroughTheRegistry)
{
    Document doc;
    ScopedDialogOverride duel(kDuelPreviewTool, namedDialog(kDuelPreviewTool));
    ScopedDialogOverride speed(kDuelPreviewSpeedTool, namedDialog(kDuelPreviewSpeedTool));
    ScopedDialogOverride vars(kVariableListTool, namedDialog(kVariableListTool));
    Runner runner;
    runDuelPreview(doc.ctx);
    editDuelPreviewSpeed(doc.ctx);
    showVariableListDialog(doc.ctx);
    EXPECT_EQ(runner.shown, (std::vector<QString>{kDuelPreviewTool, kDuelPreviewSpeedTool, kVariableListTool}));
}

TEST(EditDispatchTools, VariablesAreFoundAnywhereInTheDocument)
{
    Document doc;
    doc.addCommand(0x14);
    EXPECT_FALSE(documentHasVariables(doc.tree));
    const NodeId block = doc.addCommand(0x2E);
    doc.addCommand(defaultRecord(0x0B), block, Relation::LastChild);
    EXPECT_TRUE(documentHasVariables(doc.tree));
}

TEST(DialogRegistryTest, ARegistrationNeverReplacesATestOverride)
{
    DialogRegistry &r = DialogRegistry::instance();
    const int code = 0x7F;  // no command: free for the test
    const DialogRegistry::Entry before = r.dialogEntry(code);
    EXPECT_EQ(r.dialogKind(code), DialogKind::None);
    r.registerDialog(code, QStringLiteral("FrmReal"), namedDialog(QStringLiteral("real")), DialogKind::Real);
    Document doc;
    EXPECT_EQ(r.createDialog(code, doc.ctx)->objectName(), QStringLiteral("real"));
    {
        // The stand-in keeps the window name the code was registered with.
        ScopedDialogOverride test(code, namedDialog(QStringLiteral("test")));
        EXPECT_EQ(r.formName(code), QStringLiteral("FrmReal"));
        r.registerDialog(code, QStringLiteral("FrmLate"), namedDialog(QStringLiteral("late")), DialogKind::Real);
        EXPECT_EQ(r.createDialog(code, doc.ctx)->objectName(), QStringLiteral("test"));
        EXPECT_EQ(r.formName(code), QStringLiteral("FrmReal"));
    }
    EXPECT_EQ(r.createDialog(code, doc.ctx)->objectName(), QStringLiteral("real"));
    EXPECT_EQ(r.formName(code), QStringLiteral("FrmReal"));
    r.restoreDialogEntry(code, before);
    EXPECT_FALSE(r.hasDialog(code));
    EXPECT_TRUE(r.formName(code).isEmpty());
}

TEST(DialogRegistryTest, RegisteringAgainReplacesTheEntryAndListsTheCodeOnce)
{
    DialogRegistry &r = DialogRegistry::instance();
    const int code = 0x7E;  // no command: free for the test
    const DialogRegistry::Entry before = r.dialogEntry(code);
    const std::size_t codesBefore = r.dialogCodes().size();
    r.registerDialog(code, QStringLiteral("FrmFirst"), namedDialog(QStringLiteral("first")));
    r.registerDialog(code, QStringLiteral("FrmSecond"), namedDialog(QStringLiteral("second")));
    Document doc;
    EXPECT_EQ(r.createDialog(code, doc.ctx)->objectName(), QStringLiteral("second"));
    EXPECT_EQ(r.formName(code), QStringLiteral("FrmSecond"));
    const std::vector<int> codes = r.dialogCodes();
    EXPECT_EQ(codes.size(), codesBefore + 1);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), code), 1);
    r.restoreDialogEntry(code, before);
    EXPECT_EQ(r.dialogCodes().size(), codesBefore);
}

} // namespace
