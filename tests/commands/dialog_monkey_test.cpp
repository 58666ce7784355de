// An author who tries everything: every command of a generated scenario with
// a dialog (a few of each code) is opened, its boxes, lists, check boxes and
// buttons are worked at random (typed as a user types: numbers far past every
// limit, signs, Hangul, line breaks), and OK is pressed. Whatever the dialogs hand
// back, the document stays a scenario: every nested length still matches its
// list after every edit, the saved file reads back to the same commands, and
// the undo stack takes the last edits back to the very bytes they started
// from and redoes them to the bytes they made.
//
// A failure prints the seed, the code and the key, so it can be replayed.
#include "commands/common/engine_test_support.h"
#include "core/catalogue.h"
#include "core/eex_reader.h"
#include "core/edit_history.h"
#include "core/eex_writer.h"
#include "core/key_codec.h"
#include "core/tree_queries.h"
#include "fixtures/nested_length_check.h"
#include "fixtures/scenario_generator.h"
#include "fixtures/unit_fixtures.h"
#include "platform/prompts.h"
#include "support/typing.h"
#include "workspace/dialog_registry.h"
#include "workspace/edit_dispatch.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

using testsupport::typeText;

constexpr int kPerCode = 6;     // commands of one code worked at the most
constexpr int kActions = 16;    // random actions in one dialog

// What a user may type into any box.
const QStringList &typedPool()
{
    static const QStringList pool{
        QStringLiteral("0"),          QStringLiteral("7"),          QStringLiteral("40"),
        QStringLiteral("-1"),         QStringLiteral("65535"),      QStringLiteral("65536"),
        QStringLiteral("4294967295"), QStringLiteral("99999999999"), QStringLiteral("-2147483649"),
        QStringLiteral("1,2,3"),      QStringLiteral("가나다"),     QStringLiteral("x"),
        QStringLiteral("줄\n바꿈"),   QStringLiteral("[C05빨강]"),   QStringLiteral("\\n"),
    };
    return pool;
}

template<class W>
std::vector<W *> usable(QDialog &d)
{
    std::vector<W *> out;
    for (W *w : d.findChildren<W *>())
        if (w->isVisible() && w->isEnabled())
            out.push_back(w);
    return out;
}

// One action as a user makes it: type into a box (after selecting what it
// holds, or not), choose a list item, or click a check or option box.
void act(QDialog &d, QRandomGenerator &rng)
{
    const auto lines = usable<QLineEdit>(d);
    const auto texts = usable<QTextEdit>(d);
    const auto plains = usable<QPlainTextEdit>(d);
    const auto combos = usable<QComboBox>(d);
    const auto lists = usable<QListWidget>(d);
    // Check and option boxes, and every push button but OK and Cancel (the
    // map buttons and preview buttons open their windows, which are closed
    // unanswered).
    std::vector<QAbstractButton *> toggles;
    for (QAbstractButton *b : usable<QAbstractButton>(d))
        if (b->objectName() != QLatin1String("cConfig") && b->objectName() != QLatin1String("cCancel"))
            toggles.push_back(b);
    const QString typed = typedPool()[rng.bounded(int(typedPool().size()))];
    switch (rng.bounded(5)) {
    case 0:
        if (!lines.empty()) {
            QLineEdit *box = lines[rng.bounded(int(lines.size()))];
            box->setFocus();
            if (rng.bounded(2))
                box->selectAll();
            typeText(box, typed);
        }
        break;
    case 1:
        if (!texts.empty() || !plains.empty()) {
            QWidget *box = !texts.empty() ? static_cast<QWidget *>(texts[rng.bounded(int(texts.size()))])
                                          : static_cast<QWidget *>(plains[rng.bounded(int(plains.size()))]);
            box->setFocus();
            typeText(box, typed);
        }
        break;
    case 2:
        if (!combos.empty()) {
            QComboBox *c = combos[rng.bounded(int(combos.size()))];
            if (c->count() > 0)
                c->setCurrentIndex(rng.bounded(c->count()));
        }
        break;
    case 3:
        if (!lists.empty()) {
            QListWidget *l = lists[rng.bounded(int(lists.size()))];
            if (l->count() > 0)
                l->setCurrentRow(rng.bounded(l->count()));
        }
        break;
    default:
        if (!toggles.empty())
            toggles[rng.bounded(int(toggles.size()))]->click();
        break;
    }
}

const QByteArray &generatedFile()
{
    static const QByteArray bytes = [] {
        fixtures::GeneratorOptions options;
        options.targetBytes = 200 << 10;
        fixtures::ScenarioGenerator generator(20261211, options);
        return fixtures::scenarioBytes(generator.scenario());
    }();
    return bytes;
}

// The record parts of every node below the root, in display order.
QStringList records(const core::DocTree &tree)
{
    QStringList out;
    for (core::NodeId n = tree.firstChild(tree.root()); n != core::kNoNode; n = tree.nextInOrder(n))
        out << core::recordPart(tree.key(n)).toString();
    return out;
}

class DialogMonkey : public ::testing::TestWithParam<quint32>
{
};

TEST_P(DialogMonkey, RandomEditsInEveryDialogKeepTheScenarioWhole)
{
    core::DocTree tree;
    core::KeySerial serial;
    const core::game::GameData &game = fixtures::unitGameData();
    core::CaptionContext captions;
    captions.names = &game.names;
    const core::EexLoadResult loaded = core::eexLoad(generatedFile(), QStringLiteral("monkey.eex"), tree, serial, captions);
    ASSERT_TRUE(loaded.ok) << loaded.errorDetail.toStdString();
    ASSERT_TRUE(fixtures::nestedLengthsConsistent(tree));

    workspace::EditContext ctx(tree);
    ctx.gameData = &game;
    ctx.captions = captions;
    ctx.keySerial = &serial;
    core::EditHistory history;
    ctx.history = &history;
    ctx.readSetting = [](const QString &, const QString &) { return QString(); };
    ctx.writeSetting = [](const QString &, const QString &, const QString &) { return true; };
    platform::ScriptedPrompts prompts;  // every question answered "closed without choosing"

    const quint32 seed = GetParam();
    QRandomGenerator rng(seed);
    // Any window a dialog opens (a picker, a preview, a question) is closed
    // unanswered.
    int depth = 0;
    workspace::ScopedDialogRunner runner([&](QDialog &d, workspace::EditContext &) {
        d.show();
        if (depth++ == 0) {
            for (int i = 0; i < kActions && d.isVisible(); ++i)
                act(d, rng);
            if (d.isVisible())
                if (auto *ok = d.findChild<QPushButton *>(QStringLiteral("cConfig")))
                    ok->click();
        }
        --depth;
        if (d.isVisible())
            d.reject();
    });

    std::map<int, int> worked;
    int changed = 0;
    std::vector<core::NodeId> targets;
    for (core::NodeId n = tree.root(); n != core::kNoNode; n = tree.nextInOrder(n)) {
        const int code = core::nodeNumber(tree, n);
        if (workspace::canOpenEditor(tree, n) && core::hasEditDialog(code) && worked[code] < kPerCode) {
            ++worked[code];
            targets.push_back(n);
        }
    }
    // The file as it stood before the edits the stack can still take back.
    const std::size_t undoable = std::size_t(core::EditHistory::kMaxSteps);
    QByteArray beforeUndoable;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const core::NodeId n = targets[i];
        if (i + undoable == targets.size()) {
            const core::EexSerializeResult snapshot = core::eexSerialize(tree);
            ASSERT_TRUE(snapshot.ok);
            beforeUndoable = snapshot.bytes;
            history.clear();
        }
        const QString before = tree.key(n);
        tree.setSelected(n);
        changed += workspace::editNodeInDialog(ctx) ? 1 : 0;
        ASSERT_TRUE(fixtures::nestedLengthsConsistent(tree))
            << "seed " << seed << " code " << std::hex << core::nodeNumber(tree, n) << " key "
            << before.toStdString() << " -> " << tree.key(n).toStdString();
        ASSERT_TRUE(core::recordBytes(tree.key(n)).has_value()) << tree.key(n).toStdString();
    }
    EXPECT_GT(worked.size(), 80u);  // nearly every code with a dialog was worked
    EXPECT_GT(changed, int(targets.size()) / 2);

    const core::EexSerializeResult saved = core::eexSerialize(tree);
    ASSERT_TRUE(saved.ok) << saved.message.toStdString();
    core::DocTree again;
    core::KeySerial againSerial;
    const core::EexLoadResult reread = core::eexLoad(saved.bytes, QStringLiteral("monkey.eex"), again, againSerial);
    ASSERT_TRUE(reread.ok) << reread.errorDetail.toStdString();
    EXPECT_EQ(records(again), records(tree));

    core::NodeId focus = core::kNoNode;
    while (history.undo(focus))
        ASSERT_TRUE(fixtures::nestedLengthsConsistent(tree));
    const core::EexSerializeResult undone = core::eexSerialize(tree);
    ASSERT_TRUE(undone.ok);
    EXPECT_TRUE(undone.bytes == beforeUndoable) << "undo does not give back the bytes, seed " << seed;
    while (history.redo(focus))
        ASSERT_TRUE(fixtures::nestedLengthsConsistent(tree));
    const core::EexSerializeResult redone = core::eexSerialize(tree);
    ASSERT_TRUE(redone.ok);
    EXPECT_TRUE(redone.bytes == saved.bytes) << "redo does not give back the bytes, seed " << seed;
}

INSTANTIATE_TEST_SUITE_P(Seeds, DialogMonkey, ::testing::Values(20261211u, 7u, 4099u, 65537u),
                         [](const ::testing::TestParamInfo<quint32> &info) {
                             return "Seed" + std::to_string(info.param);
                         });

} // namespace
