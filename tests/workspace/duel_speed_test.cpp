#include "workspace/dialog_registry.h"
#include "workspace/edit_dispatch.h"
#include "workspace/duel_speed_dialog.h"

#include <gtest/gtest.h>

using namespace workspace;

// The workspace opens its own speed window; no command folder registers it.
TEST(DuelSpeed, ThePopUpOpensTheRealSpeedDialog)
{
    core::DocTree tree;
    tree.addRoot("Path", "Scenario");
    EditContext ctx(tree);
    bool sawSpeedDialog = false;
    ScopedDialogRunner runner([&](QDialog &d, EditContext &) {
        sawSpeedDialog = qobject_cast<DuelSpeedDialog *>(&d) != nullptr;
    });
    editDuelPreviewSpeed(ctx);
    EXPECT_TRUE(sawSpeedDialog);
}
