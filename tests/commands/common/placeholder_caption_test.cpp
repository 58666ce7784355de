// A list that cannot show a stored value keeps it under a placeholder that
// reads as the tree's caption reads the same key. One row per kind of list
// (fixed words with a caption tag, the facings, the game's tables, the
// settings' series, the dialogs' own lists), each with a value past its
// items; an untouched OK keeps the key.
#include "commands/common/engine_test_support.h"
#include "core/catalogue.h"
#include "fixtures/battlefield_fixtures.h"

#include <QComboBox>
#include <QRegularExpression>
#include <gtest/gtest.h>

using enginetest::CommandNode;
using fixtures::FieldValue;

namespace {

struct Row
{
    const char *what;
    int code;
    std::vector<FieldValue> fields;
    const char *list;
    const char16_t *shown;
    // The caption shows this word for the value (else it shows none, and the
    // placeholder reads as the list loads the value).
    bool captionWord = true;
};

const Row kRows[] = {
    // Fixed words with the tag of their caption.
    {"0x21 fire kind 5", 0x21, {{33, 2, 5}}, "cbThings", u"방화 (5)"},
    {"0x58 create or remove FFFF", 0x58, {{17, 2, 0xFFFF}}, "cbMake", u"만듬 (65535)"},
    {"0x58 terrain 40", 0x58, {{25, 2, 40}}, "cbGround", u"40"},
    {"0x56 weather kind 7", 0x56, {{9, 2, 7}}, "cbWeatherKind", u"7"},
    {"0x50 action 13", 0x50, {{17, 2, 13}}, "cbActive", u"無 (13)"},
    {"0x33 pose 20", 0x33, {{17, 2, 20}}, "cbActive", u"無 (20)"},
    {"0x36 fourth comparison", 0x36, {{37, 2, 3}}, "cbCompare", u"≠"},
    {"0x5D operation 5", 0x5D, {{9, 2, 5}}, "cbOperator", u"- (5)", false},
    {"0x57 weather pattern 9", 0x57, {{9, 2, 9}}, "cbWeather", u"맑음 (9)", false},
    // The words the caption gives values past the list, as the tree shows
    // them; where the word is an item's own, the number follows.
    {"0x40 turn 3", 0x40, {{9, 2, 3}}, "cbTurn", u"적군차례 (3)"},
    {"0x41 side 7", 0x41, {{9, 2, 7}}, "cbArmy", u"모든부대 (7)"},
    {"0x41 area 2", 0x41, {{37, 2, 2}}, "cbZone", u"맵 전체 (2)"},
    {"0x3B join kind 3", 0x3B, {{17, 2, 3}}, "cbJoin", u"탈퇴 (3)"},
    {"0x3C join kind 3", 0x3C, {{17, 2, 3}}, "cbJoin", u"탈퇴 (3)"},
    {"0x3C equality 2", 0x3C, {{25, 2, 2}}, "cbCompare", u"= (2)"},
    {"0x37 kind 3", 0x37, {{9, 2, 3}}, "cbThings", u"야심 (3)"},
    {"0x3A kind 3", 0x3A, {{9, 2, 3}}, "cbThings", u"야심 (3)"},
    {"0x64 action 16", 0x64, {{17, 2, 16}}, "cbVSActive", u"無 (16)"},
    {"0x65 result 5", 0x65, {{17, 2, 5}}, "cbVSAttack", u"회피 (5)"},
    {"0x66 attack kind 3", 0x66, {{17, 2, 3}}, "cbVSAttack", u"서로돌격 (3)"},
    {"0x08 flag 2", 0x08, {{9, 2, 2}}, "cbTF", u"False (2)"},
    {"0x0B flag 2", 0x0B, {{21, 2, 2}}, "cbTF", u"False (2)"},
    {"0x1B flag 2", 0x1B, {{17, 2, 2}}, "cbTF", u"False (2)"},
    {"0x0F ending 3", 0x0F, {{9, 2, 3}}, "cbFinish", u"가상 (3)"},
    {"0x11 scenario file 116", 0x11, {{9, 2, 116}}, "cbEEX", u"S_58.EEX"},
    {"0x23 effect 300", 0x23, {{9, 2, 300}}, "cbMusic", u"SE_E_00.WAV (300)"},
    // The facings: 4 selects the default facing, values past it keep theirs.
    {"0x4B facing 4", 0x4B, {{45, 2, 4}}, "cbDirection", u"묵인방향"},
    {"0x4B facing 9", 0x4B, {{45, 2, 9}}, "cbDirection", u"묵인방향 (9)"},
    {"0x4F facing 4", 0x4F, {{25, 2, 4}}, "cbDirection", u"묵인방향"},
    {"0x55 facing 4", 0x55, {{61, 2, 4}}, "cbDirection", u"묵인방향"},
    {"0x6D facing 4", 0x6D, {{69, 2, 4}}, "cbDirection", u"묵인방향"},
    {"0x33 facing 7", 0x33, {{25, 2, 7}}, "cbDirection", u"묵인방향 (7)"},
    // Lists of the settings' series and the game's tables.
    {"0x3B level change past 2N", 0x3B, {{25, 2, 101}}, "cbLV", u"- Lv 51"},
    {"0x3D item level in a variable", 0x3D, {{17, 2, 0x405}}, "cbItemLv", u"[Var5]"},
    {"0x3D item level past the setting", 0x3D, {{17, 2, 10}}, "cbItemLv", u"Lv10"},
    {"0x3D item past the table", 0x3D, {{9, 2, 120}}, "cbItem", u"120"},
    {"0x3E weapon FFFF", 0x3E, {{17, 2, 0xFFFF}}, "cbWeapon", u"묵인장비"},
    {"0x48 armour FFFF", 0x48, {{33, 2, 0xFFFF}}, "cbDefence", u"묵인장비"},
    {"0x3E assist without names", 0x3E, {{49, 2, 5}}, "cbAssist", u"5"},
    {"0x6F item-only FFFF", 0x6F, {{9, 2, 0xFFFF}}, "cbItem", u"無"},
    {"0x59 spoils level in a variable", 0x59, {{29, 2, 0x407}}, "cbItemLv0", u"[Var7]"},
    {"0x35 map model past the setting", 0x35, {{17, 2, 300}}, "cbModel", u"평조번호-601"},
    {"0x58 kind past the gates", 0x58, {{9, 2, 200}}, "cbThings", u"Gate-393"},
    // The dialogs' own lists.
    {"0x27 inner background", 0x27, {{9, 2, 2}, {33, 2, 75}}, "cbIn", u"MMAP-116"},
    {"0x27 outer background", 0x27, {{9, 2, 0}, {17, 2, 40}}, "cbOut", u"無 (40)"},
    {"0x27 whole map", 0x27, {{9, 2, 1}, {25, 2, 5}}, "cbWholeMap", u"無 (5)"},
    {"0x27 battle map", 0x27, {{9, 2, 3}, {41, 2, 58}}, "cbHM", u"HM58"},
    {"0x27 kind 7", 0x27, {{9, 2, 7}}, "cbKind", u"외배경 (7)", false},
    {"0x60 action FFFF", 0x60, {{9, 2, 1}, {23, 2, 0xFFFF}}, "cbVSActive", u"無 (65535)"},
    {"0x24 track past the setting", 0x24, {{9, 2, 30}}, "cbTrack", u"Track32"},
    {"0x22 movie past the setting", 0x22, {{9, 2, 9}}, "cbMovie", u"영상9"},
    {"0x23 effect past its group", 0x23, {{9, 2, 50}}, "cbMusic", u"SE50.WAV"},
    {"0x52 troop type without a table", 0x52, {{17, 2, 120}}, "cbTroop", u"120"},
    {"0x6B magic past the effects", 0x6B, {{33, 2, 60}}, "cbMagic", u"MEFF-58 (60)"},
    {"0x6B magic past the calls", 0x6B, {{33, 2, 150}}, "cbMagic", u"MCALL08.E5 (150)"},
};

// The settings the lists read, as the program's captions read them too.
const core::CaptionSettings kSettings{40, 50, 58, 9};

// Whether the caption holds the word as a whole item (between blanks).
bool holdsWord(const QString &caption, const QString &word)
{
    return (caption + u' ').contains(u' ' + word + u' ');
}

TEST(PlaceholderCaption, APlaceholderReadsAsTheTreesCaption)
{
    for (const Row &r : kRows) {
        SCOPED_TRACE(r.what);
        CommandNode cmd(fixtures::withFields(core::defaultRecord(r.code), r.fields));
        cmd.ctx.captions.settings = &kSettings;
        const QString key = cmd.key();
        const QString caption = core::commandCaption(key, core::CaptionSite::Creation, false, cmd.ctx.captions);
        const QString shown = QString::fromUtf16(r.shown);
        EXPECT_FALSE(cmd.edit([&](QDialog &d) {
            auto *box = d.findChild<QComboBox *>(QLatin1String(r.list));
            ASSERT_TRUE(box) << r.list;
            EXPECT_EQ(box->currentText(), shown);
            enginetest::click(d, "cConfig");
        }));
        EXPECT_EQ(cmd.key(), key);
        // The word, without the number that tells it from an item.
        const QString word = shown.trimmed().remove(QRegularExpression(QStringLiteral(" \\(\\d+\\)$")));
        EXPECT_EQ(holdsWord(caption, word), r.captionWord) << caption.toStdString();
    }
}

} // namespace
