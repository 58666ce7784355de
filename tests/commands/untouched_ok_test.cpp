// Looking is not editing: every command code that has a dialog, opened on
// keys whose values run over each field's whole range (not only what the
// dialog's lists can show) and confirmed without a change, hands back
// nothing: same key, no edit record, no modified mark.
//
// One body for every code that has a dialog. A failure
// prints the seed and the key, so it can be replayed.
#include "commands/common/engine_test_support.h"
#include "core/catalogue.h"
#include "core/key_codec.h"
#include "core/param_tags.h"
#include "fixtures/unit_fixtures.h"
#include "platform/prompts.h"
#include "support/drawn_keys.h"
#include "workspace/dialog_registry.h"
#include "workspace/edit_dispatch.h"

#include <QByteArray>
#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using enginetest::CommandNode;
using testsupport::codesWithDialogs;
using testsupport::drawRecord;

class UntouchedOk : public ::testing::TestWithParam<int>
{
};

TEST_P(UntouchedOk, ChangesNothing)
{
    const int code = GetParam();
    const quint32 seed = quint32(code) * 7919u + 17u;
    QRandomGenerator rng(seed);
    platform::ScriptedPrompts prompts;  // whatever a dialog asks on opening is answered
    constexpr int kKeys = 14;
    for (int k = 0; k < kKeys; ++k) {
        const QString record = drawRecord(code, rng, k < 2 ? k + 1 : 0);
        CommandNode cmd(record);
        if (k % 2 == 1) {
            cmd.ctx.gameData = &fixtures::unitGameData();
            cmd.ctx.captions.names = &fixtures::unitGameData().names;
        }
        const QString before = cmd.key();
        const QString caption = cmd.text();
        const bool changed = cmd.edit([](QDialog &d) {
            if (auto *ok = d.findChild<QPushButton *>(QStringLiteral("cConfig")))
                ok->click();
        });
        EXPECT_FALSE(changed) << "code " << std::hex << code << " seed " << std::dec << seed << " key " << k;
        EXPECT_EQ(cmd.key().toStdString(), before.toStdString()) << "code " << std::hex << code << " seed " << std::dec << seed << " key "
                                     << k << ": " << before.toStdString();
        EXPECT_EQ(cmd.text().toStdString(), caption.toStdString()) << "code " << std::hex << code << " key " << before.toStdString();
        EXPECT_EQ(cmd.records, 0);
        EXPECT_EQ(cmd.marks, 0);
        if (HasFailure())
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryDialog, UntouchedOk, ::testing::ValuesIn(codesWithDialogs()),
                         [](const ::testing::TestParamInfo<int> &info) {
                             return testsupport::codeCaseName(info.param);
                         });

} // namespace
