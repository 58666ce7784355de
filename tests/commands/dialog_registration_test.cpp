// Start-up's registration: every command the catalogue gives a dialog has
// one, under a window name that carries its code; the shared text dialog
// serves exactly its eight codes; the menu items' tools are there; and a
// second registration changes nothing.
#include "commands/all_dialogs.h"
#include "core/catalogue.h"
#include "workspace/dialog_registry.h"
#include "workspace/edit_dispatch.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using workspace::DialogKind;
using workspace::DialogRegistry;

namespace {

// Written out from the command list, not taken from the registration.
const std::set<int> kSharedTextCodes{0x02, 0x14, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x69};

std::map<int, QString> registeredNames()
{
    std::map<int, QString> names;
    for (int code : DialogRegistry::instance().dialogCodes())
        names[code] = DialogRegistry::instance().formName(code);
    return names;
}

TEST(DialogRegistration, EveryCodeWithADialogIsRegisteredUnderItsWindowName)
{
    const DialogRegistry &r = DialogRegistry::instance();
    std::set<QString> ownNames;
    int withDialog = 0;
    for (int code = 0; code < core::kCommandCount; ++code) {
        SCOPED_TRACE(code);
        const QString name = r.formName(code);
        if (!core::hasEditDialog(code)) {
            EXPECT_FALSE(r.hasDialog(code));
            EXPECT_TRUE(name.isEmpty());
            continue;
        }
        ++withDialog;
        EXPECT_EQ(r.dialogKind(code), DialogKind::Real);
        EXPECT_EQ(workspace::editFormName(code), name);
        EXPECT_EQ(workspace::usesSharedTextDialog(code), kSharedTextCodes.count(code) == 1);
        if (kSharedTextCodes.count(code)) {
            EXPECT_EQ(name, workspace::kSharedTextForm);
            continue;
        }
        // Each window of its own is "Frm" + words + the code in hex.
        EXPECT_TRUE(name.startsWith(QLatin1String("Frm"))) << name.toStdString();
        EXPECT_TRUE(name.endsWith(QString::number(code, 16).toUpper())) << name.toStdString();
        EXPECT_TRUE(ownNames.insert(name).second) << name.toStdString() << " serves two codes";
    }
    EXPECT_EQ(withDialog, 97);
    EXPECT_EQ(r.dialogCodes().size(), 97u);
    EXPECT_EQ(r.formName(0x28), QStringLiteral("FrmR28"));
    EXPECT_EQ(r.formName(0x4B), QStringLiteral("FrmSetCharWar4B"));
    EXPECT_EQ(r.formName(0x7A), QString());
}

TEST(DialogRegistration, TheMenuItemsToolsAreRegistered)
{
    const DialogRegistry &r = DialogRegistry::instance();
    // The duel speed setting is the workspace's own window: not registered.
    for (const QString &tool : {workspace::kDuelPreviewTool, workspace::kVariableListTool})
        EXPECT_TRUE(r.hasTool(tool)) << tool.toStdString();
    const workspace::MapPickers pickers = r.mapPickers();
    EXPECT_TRUE(pickers.battle);
    EXPECT_TRUE(pickers.stage);
    EXPECT_TRUE(pickers.world);
}

TEST(DialogRegistration, RegisteringTwiceChangesNothingAndKeepsTestOverrides)
{
    DialogRegistry &r = DialogRegistry::instance();
    const std::map<int, QString> before = registeredNames();
    workspace::ScopedDialogOverride stand(0x15, [](workspace::EditContext &) { return std::make_unique<QDialog>(); });
    int standInRuns = 0;
    workspace::ScopedMapPickers picker({.world = [&](workspace::EditContext &, const workspace::WorldMapRequest &) {
        ++standInRuns;
        return std::optional<QPoint>();
    }});
    commands::registerAllDialogs(r);
    EXPECT_EQ(registeredNames(), before);
    EXPECT_EQ(r.dialogKind(0x15), DialogKind::TestOverride);
    EXPECT_EQ(r.dialogKind(0x14), DialogKind::Real);
    core::DocTree tree;
    workspace::EditContext ctx(tree);
    r.mapPickers().world(ctx, {});
    EXPECT_EQ(standInRuns, 1);
}

} // namespace
