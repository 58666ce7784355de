// The duel start 0x68 in the converter: the background item moves to the
// front (or is added), wherever the record stands, and a Section that is
// first tried as converted before gives the same bytes when the try fails.
#include "core/eex_converter.h"
#include "fixtures/extended_layout.h"
#include "fixtures/hex_bytes.h"
#include "fixtures/scenario_generator.h"

#include <gtest/gtest.h>

using namespace core;
using fixtures::GenCommand;
using fixtures::GenScenario;
using fixtures::GenScene;
using fixtures::GenSection;
using fixtures::hexBytes;
using fixtures::u16;
using fixtures::toHex;

namespace {


// Background item last, as the editor writes it.
QByteArray backgroundLast(int first, int second, int logo)
{
    return hexBytes("68 00 02 00") + u16(first) + hexBytes("02 00") + u16(second) + hexBytes("4F 00") + u16(logo);
}
// Without a background item.
QByteArray noBackground(int first, int second)
{
    return hexBytes("68 00 02 00") + u16(first) + hexBytes("02 00") + u16(second);
}
// The extended layout: background first.
QByteArray backgroundFirst(int first, int second, int logo)
{
    return hexBytes("68 00 4F 00") + u16(logo) + hexBytes("02 00") + u16(first) + hexBytes("02 00") + u16(second);
}

GenCommand plain(const QByteArray &record) { return {record, false, {}}; }
GenCommand child(const QByteArray &block, std::vector<GenCommand> nested) { return {block, true, std::move(nested)}; }

const QByteArray kPause = hexBytes("03 00");
const QByteArray kTwoPersons = hexBytes("2E 00 02 00 01 00 02 00 02 00 26 00 00 00");

// The Section under test, then a Section and a Scene behind it whose
// offsets and lengths must follow any growth.
GenScenario around(const GenSection &section)
{
    return GenScenario{{GenScene{{section, GenSection{{}, {plain(kPause)}}}},
                        GenScene{{GenSection{{plain(kPause)}, {}}}}}};
}

} // namespace

TEST(EexConverterDuelStart, BackgroundMovesOrIsAddedWhereverTheRecordStands)
{
    struct Case {
        const char *name;
        GenSection before;
        GenSection after;
    };
    const Case cases[] = {
        {"background last, in the body",
         {{}, {plain(backgroundLast(5, 6, 3)), plain(kPause)}},
         {{}, {plain(backgroundFirst(5, 6, 5)), plain(kPause)}}},
        {"no background, in the body",
         {{}, {plain(noBackground(5, 6)), plain(kPause)}},
         {{}, {plain(backgroundFirst(5, 6, 5)), plain(kPause)}}},
        {"background already first stays, its logo too",
         {{}, {plain(backgroundFirst(5, 6, 7)), plain(kPause)}},
         {{}, {plain(backgroundFirst(5, 6, 7)), plain(kPause)}}},
        {"both forms in the head list",
         {{plain(backgroundLast(8, 9, 0)), plain(noBackground(10, 11))}, {plain(kPause)}},
         {{plain(backgroundFirst(8, 9, 5)), plain(backgroundFirst(10, 11, 5))}, {plain(kPause)}}},
        {"block command of child events",
         {{}, {child(backgroundLast(1, 2, 4), {plain(kPause)}), child(noBackground(3, 4), {})}},
         {{}, {child(backgroundFirst(1, 2, 5), {plain(kPause)}), child(backgroundFirst(3, 4, 5), {})}}},
        {"nested lists two levels deep",
         {{}, {child(kTwoPersons, {plain(noBackground(1, 2)),
                                   child(kTwoPersons, {plain(backgroundLast(3, 4, 1)), plain(noBackground(5, 6))})})}},
         {{}, {child(kTwoPersons, {plain(backgroundFirst(1, 2, 5)),
                                   child(kTwoPersons, {plain(backgroundFirst(3, 4, 5)),
                                                       plain(backgroundFirst(5, 6, 5))})})}}},
        {"group persons are renumbered after the move",
         {{}, {plain(backgroundLast(1024, 1027, 2)), plain(noBackground(1025, 0xFFFF))}},
         {{}, {plain(backgroundFirst(3071, 3074, 5)), plain(backgroundFirst(3072, 0xFFFF, 5))}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const EexConversion once = convertEexBytes(fixtures::scenarioBytes(around(c.before)));
        ASSERT_TRUE(once.ok) << once.reason.toStdString() << " at " << once.errorOffset;
        EXPECT_EQ(toHex(once.bytes), toHex(fixtures::extendedScenarioBytes(around(c.after))));
        const EexConversion twice = convertEexBytes(once.bytes);
        ASSERT_TRUE(twice.ok);
        EXPECT_EQ(toHex(twice.bytes), toHex(once.bytes)) << "a second run changed the file";
    }
}

TEST(EexConverterDuelStart, FailedTryOfASectionTakesTheMovedBackgroundBack)
{
    // The head list starts with a question test 04 00, so its Section length
    // read as 4 bytes is L + 0x40000; with the file ending right there on an
    // end record, the Section is first tried as converted before, its head
    // list read 2 bytes late. That reading meets a duel start at the end of
    // the text ('h' and the text's 00), whose byte +10 is the second person
    // 79 of the real duel start behind it, and moves a background item into
    // bytes that are not a duel start. The try then fails on the empty body.
    const QByteArray question = hexBytes("04 00 26 00 00 00");
    const QByteArray talk = hexBytes("14 00 05 00") + QByteArray(22, 'A') + QByteArray("h", 2);
    const GenSection before{{plain(question), plain(talk), plain(backgroundLast(1, 79, 3))}, {}};
    const GenSection after{{plain(question), plain(talk), plain(backgroundFirst(1, 79, 5))}, {}};

    // Four Sections of pauses, 65,536 bytes each, end the file where the
    // 4-byte reading of the first Section length says.
    GenSection filler{{}, {}};
    filler.body.assign(32764, plain(kPause));
    const auto file = [&](const GenSection &first) {
        return GenScenario{{GenScene{{first, filler, filler, filler, filler}}}};
    };
    const QByteArray input = fixtures::scenarioBytes(file(before));
    const qsizetype start = 18;  // header, one Scene offset, Section count, 2-byte length
    ASSERT_EQ(input.mid(start, 2), hexBytes("04 00"));
    const qint64 asWide = quint8(input[16]) | quint8(input[17]) << 8 | qint64(0x04) << 16;
    ASSERT_EQ(start + asWide, input.size());
    ASSERT_EQ(input.right(2), hexBytes("00 00"));
    ASSERT_EQ(input.mid(start + 32, 2), hexBytes("68 00"));
    ASSERT_EQ(quint8(input[start + 42]), 0x4F);

    const EexConversion once = convertEexBytes(input);
    ASSERT_TRUE(once.ok) << once.reason.toStdString() << " at " << once.errorOffset;
    const QByteArray expected = fixtures::extendedScenarioBytes(file(after));
    EXPECT_EQ(once.bytes.size(), expected.size());
    // The Section as the plain conversion gives it, without the try.
    const QByteArray alone = convertEexBytes(fixtures::scenarioBytes(GenScenario{{GenScene{{before}}}})).bytes;
    const qsizetype sectionEnd = alone.size();
    EXPECT_EQ(toHex(alone), toHex(fixtures::extendedScenarioBytes(GenScenario{{GenScene{{after}}}})));
    EXPECT_EQ(toHex(once.bytes.mid(16, sectionEnd - 16)), toHex(alone.mid(16)));
    EXPECT_TRUE(once.bytes == expected) << "the file differs from the extended layout";

    // Now every filler Section length passes 65,535: the second run tries
    // them as converted before, and the tries hold.
    const EexConversion twice = convertEexBytes(once.bytes);
    ASSERT_TRUE(twice.ok);
    EXPECT_TRUE(twice.bytes == once.bytes) << "a second run changed the file";
}
