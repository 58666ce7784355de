#pragma once
// A main window with its documents and edit commands, one hand-built
// scenario open in a tab, answered prompts and a settings file of its own:
// what the in-process tests of the edit commands, tree keys and
// multi-selection share.
#include "core/edit_history_test_doc.h"
#include "core/settings.h"
#include "platform/prompts.h"
#include "workspace/doc_tree_model.h"
#include "workspace/document.h"
#include "workspace/documents.h"
#include "workspace/edit_commands.h"
#include "workspace/main_window.h"
#include "workspace/scenario_tree_view.h"
#include "menu_item.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace edit_window {

using namespace edit_test;

inline const QByteArray A = plain(1), B = plain(2), C = plain(3), D = plain(4);
inline const QByteArray H1 = plain(0x21);
inline const QByteArray blk = fixtures::hexBytes("6E 00 04 00 32 00 00 00");

// Locked comment and H1 in the head; A, B, C, a child event (blk holding D), in the body.
inline QByteArray sampleBody() { return A + B + C + childEvent(blk, D); }
inline QByteArray sample() { return eexFile({{lockedComment() + H1, sampleBody()}}); }

struct EditWindow : ::testing::Test
{
    QTemporaryDir dir;
    QString previousIni;
    platform::ScriptedPrompts prompts;
    workspace::MainWindow w;
    workspace::Documents *docs = nullptr;
    workspace::EditCommands *edit = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previousIni = core::iniPath();
        core::setIniPath(dir.filePath("Q_T.ini"));
        docs = new workspace::Documents(w);
        edit = workspace::EditCommands::of(w);
        ASSERT_NE(edit, nullptr);
        w.resize(600, 800);
        ASSERT_TRUE(writeBytes("a.eex", sample()));
        w.setStartupFiles({dir.filePath("a.eex")});
        w.firstActivation();
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        ASSERT_EQ(docs->tabCount(), 1);
    }
    void TearDown() override { core::setIniPath(previousIni); }

    bool writeBytes(const QString &name, const QByteArray &bytes)
    {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::WriteOnly))
            return false;
        return f.write(bytes) == bytes.size();
    }
    bool openBytes(const QString &name, const QByteArray &bytes)
    {
        return writeBytes(name, bytes) && docs->openFiles({dir.filePath(name)});
    }

    workspace::Document *doc() const { return docs->current(); }
    core::DocTree &tree() const { return doc()->tree(); }
    workspace::ScenarioTreeView *view() const { return docs->currentView(); }
    QAction *act(const char *name) const { return menutest::menuItem(w, name); }

    QByteArray bytes() const
    {
        const core::EexSerializeResult r = core::eexSerialize(tree());
        EXPECT_TRUE(r.ok);
        return r.bytes;
    }
    core::NodeId byRecord(const QByteArray &record) const
    {
        const QString hex = fixtures::toHex(record);
        for (int i = 1; i <= tree().count(); ++i)
            if (core::recordPart(tree().key(tree().byIndex(i))).startsWith(hex))
                return tree().byIndex(i);
        return core::kNoNode;
    }
    core::NodeId section() const { return tree().child(tree().child(tree().root(), 0), 0); }
    core::NodeId locked() const { return tree().firstChild(section()); }
    core::NodeId headEnd() const { return tree().lastChild(section()); }

    void select(core::NodeId n) { view()->selectNode(n); }
    // A real mouse click on the node's row, with modifiers.
    void click(core::NodeId n, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        const QModelIndex index = view()->docModel()->indexOf(n);
        view()->scrollTo(index);
        QCoreApplication::processEvents();
        const QRect r = view()->visualRect(index);
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, mods, r.center());
    }
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        view()->setFocus();
        QTest::keyClick(view(), Qt::Key(k), mods);
    }
    int undoSteps() const { return doc()->history().undoStepCount(); }
};

} // namespace edit_window
