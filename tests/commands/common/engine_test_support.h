#pragma once
// One command node in a small document, an edit context bound to it with
// settings held in memory, and the edit records the dispatch makes: what the
// tests of the dialog engine and its dialogs share.
#include "core/captions.h"
#include "core/doc_tree.h"
#include "fixtures/nested_length_check.h"
#include "workspace/dialog_registry.h"
#include "workspace/edit_context.h"
#include "workspace/edit_dispatch.h"
#include "workspace/new_commands.h"

#include <QHash>
#include <QPushButton>

#include <functional>

namespace enginetest {

struct CommandNode
{
    core::DocTree tree;
    workspace::EditContext ctx{tree};
    core::NodeId node = core::kNoNode;
    QHash<QString, QString> settings;  // "Section/Key" -> value
    int records = 0;
    int marks = 0;
    workspace::NewCommands added;

    explicit CommandNode(const QString &record)
    {
        const core::NodeId scene = fixtures::addScenarioRoot(tree);
        const fixtures::SectionNodes sec = fixtures::addSection(tree, scene, 0);
        const QString key = record + QStringLiteral("_77");
        node = tree.add(sec.bodyEnd, core::Relation::Before, key, caption(key));
        tree.setSelected(node);
        ctx.node = node;
        ctx.readSetting = [this](const QString &s, const QString &k) {
            return settings.value(s + u'/' + k);
        };
        ctx.writeSetting = [](const QString &, const QString &, const QString &) { return true; };
        ctx.markModified = [this] { ++marks; };
        ctx.recordEdit = [this](core::NodeId, const QString &, const QString &, const QString &, const QString &) {
            ++records;
        };
    }

    // The node as an add dialog leaves it: a new command until its first OK.
    // Without this it is a stored command, whatever its key holds.
    void markAdded()
    {
        added.add(tree, node);
        ctx.newCommands = &added;
    }

    QString key() const { return tree.key(node); }
    QString record() const { return key().section(u'_', 0, 0); }
    QString text() const { return tree.text(node); }
    static QString caption(const QString &key)
    {
        return core::commandCaption(key, core::CaptionSite::Creation, false, {});
    }

    // Opens the node's dialog through the dispatch; `act` works the dialog
    // while it is shown (and usually ends it with a button).
    bool edit(const std::function<void(QDialog &)> &act)
    {
        workspace::ScopedDialogRunner runner([&](QDialog &d, workspace::EditContext &) {
            d.show();
            act(d);
            if (d.isVisible())
                d.reject();
        });
        return workspace::editNodeInDialog(ctx);
    }
};

inline void click(QDialog &d, const char *button)
{
    d.findChild<QPushButton *>(QLatin1String(button))->click();
}

} // namespace enginetest
