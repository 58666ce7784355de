// What opening a damaged file costs, beside an undamaged one of its size: a
// file whose Scene table or Sections name the same bytes again and again is
// refused with a message that says so; the other damaged kinds open into a
// tree no larger than the file's share allows. And the open warning reads
// well: a run of unknown codes is one line, no line repeats, and bytes a
// Section's length claims but no command holds name that Section.
#include "core/eex_reader.h"
#include "core/eex_writer.h"
#include "fixtures/hex_bytes.h"
#include "fixtures/scenario_generator.h"

#include <gtest/gtest.h>

#include <QSet>

#include <algorithm>
#include <initializer_list>

using namespace core;
using fixtures::hexBytes;

namespace {

const char *const kHeader = "45 45 58 00 01 02 00 00 00 00";

fixtures::GenScenario oneSceneOf(int bytes)
{
    fixtures::GeneratorOptions opt;
    opt.targetBytes = bytes;
    opt.armyTables = false;
    return fixtures::ScenarioGenerator(77, opt).scenario();
}

// The one-Scene file with its Scene table naming the Scene `times` times.
QByteArray sceneListed(const QByteArray &file, int times)
{
    QByteArray out = file.left(10);
    const quint32 at = 10 + 4 * quint32(times);
    for (int i = 0; i < times; ++i)
        for (int b = 0; b < 4; ++b)
            out.append(char((at >> (8 * b)) & 0xFF));
    return out + file.mid(14);
}

// A file of two Scenes: the big one, and a small one at its end that the
// table names `times` times more.
QByteArray smallSceneListed(const QByteArray &file, int times)
{
    const QByteArray small = hexBytes("01 00 06 00 00 00 02 00 00 00");
    const int scenes = 1 + times;
    QByteArray out = file.left(10);
    const quint32 big = 10 + 4 * quint32(scenes);
    const quint32 tail = big + quint32(file.size() - 14);
    for (int i = 0; i < scenes; ++i) {
        const quint32 v = i == 0 ? big : tail;
        for (int b = 0; b < 4; ++b)
            out.append(char((v >> (8 * b)) & 0xFF));
    }
    return out + file.mid(14) + small;
}

struct Opened {
    DocTree tree;
    EexLoadResult result;
};

void open(Opened &o, const QByteArray &bytes)
{
    KeySerial serial = 0;
    o.result = eexLoad(bytes, QStringLiteral("/tmp/damaged.eex"), o.tree, serial);
}

int highestPass(const EexLoadResult &r)
{
    int pass = 0;
    for (const EexLoadWarning &w : r.warnings)
        pass = std::max(pass, w.pass);
    return pass;
}

bool hasKind(const EexLoadResult &r, EexLoadWarning::Kind kind)
{
    for (const EexLoadWarning &w : r.warnings)
        if (w.kind == kind)
            return true;
    return false;
}

} // namespace

// Listed twice or four times, a large Scene would be read twice or four
// times: refused at once, saying that the Scene table names it so often. A
// small Scene named again stays within the budget and opens with a warning.
TEST(DamagedOpenCost, SceneTableNamingTheSameBytesAgainIsRefusedBeyondTheBudget)
{
    const fixtures::GenScenario scenario = oneSceneOf(600 * 1024);
    const QByteArray file = fixtures::scenarioBytes(scenario);
    Opened clean;
    open(clean, file);
    ASSERT_TRUE(clean.result.ok);
    ASSERT_TRUE(clean.result.warnings.empty());

    for (int times : {2, 3, 4, 40}) {
        const QByteArray damaged = sceneListed(file, times);
        Opened o;
        open(o, damaged);
        EXPECT_FALSE(o.result.ok) << times;
        EXPECT_EQ(o.result.failure, EexLoadFailure::Overlapping) << times;
        EXPECT_EQ(o.tree.root(), kNoNode) << times;  // nothing of it is kept
        EXPECT_EQ(o.result.repeatedScene, 10 + 4 * times) << times;
        EXPECT_EQ(o.result.repeatedSceneTimes, times) << times;
        const QString message = eexLoadFailureMessage(o.result, QStringLiteral("/tmp/damaged.eex"));
        EXPECT_TRUE(message.contains(QStringLiteral("Scene 표가 같은 Scene(위치 %1)을 %2번 가리켜")
                                         .arg(QString::number(10 + 4 * times, 16).toUpper())
                                         .arg(times)))
            << message.toStdString();
        EXPECT_TRUE(message.contains(u"열지 않았습니다")) << message.toStdString();
    }

    // A small Scene named four times: read three times more than the file has it.
    Opened small;
    open(small, smallSceneListed(file, 4));
    ASSERT_TRUE(small.result.ok);
    EXPECT_LE(small.tree.count(), clean.tree.count() + 4 * 4 + 8);
    ASSERT_EQ(small.result.warnings.size(), 1u);
    const EexLoadWarning &w = small.result.warnings[0];
    EXPECT_EQ(w.kind, EexLoadWarning::Kind::BytesReadTwice);
    EXPECT_EQ(w.stretch, 10);
    EXPECT_EQ(w.byteCount, 30);
    EXPECT_TRUE(eexLoadWarningMessage(w).contains(u"10바이트를 여러 번 읽었습니다")) << eexLoadWarningMessage(w).toStdString();
    EXPECT_TRUE(eexLoadWarningMessage(w).contains(u"30바이트가 더해집니다")) << eexLoadWarningMessage(w).toStdString();
    const EexSerializeResult saved = eexSerializeChecked(small.tree);
    ASSERT_TRUE(saved.ok) << saved.message.toStdString();
    EXPECT_EQ(saved.bytes.size(), smallSceneListed(file, 4).size() + 30);
}

// Sections that run into each other over and over (every length word of a
// large Scene pointing back a few bytes) are refused the same way, naming
// the overlap instead of the Scene table.
TEST(DamagedOpenCost, SectionsOverlappingWithoutEndAreRefusedWithTheReason)
{
    // A Section whose length word claims less than its lists: each next
    // Section starts inside the one before, and all read the same bytes.
    QByteArray body;
    for (int i = 0; i < 20000; ++i)
        body += hexBytes("6E 00 04 00 32 00 00 00");
    body += hexBytes("00 00");
    QByteArray scene = hexBytes("FF FF");  // 65,535 Sections
    const int l = 2;  // claims only its empty head and the body length word
    scene.append(char(l)).append(char(0));
    scene += hexBytes("00 00");
    scene.append(char(body.size() & 0xFF)).append(char(body.size() >> 8));
    scene += body;
    const QByteArray file = hexBytes(kHeader) + hexBytes("0E 00 00 00") + scene;
    Opened o;
    open(o, file);
    EXPECT_FALSE(o.result.ok);
    EXPECT_EQ(o.result.failure, EexLoadFailure::Overlapping);
    EXPECT_EQ(o.result.repeatedScene, -1);
    const QString message = eexLoadFailureMessage(o.result, QStringLiteral("/tmp/damaged.eex"));
    EXPECT_TRUE(message.contains(u"Scene이나 Section이 서로 겹쳐 같은 바이트를 거듭 읽어야 합니다")) << message.toStdString();
}

// The damaged kinds that open stay within what the file's size allows: their
// tree holds about as many nodes as the undamaged file's, their warnings'
// figures are what a save does, and the save reads back (or they say it does
// not). The re-readings that settle a damaged tree are bounded too.
TEST(DamagedOpenCost, DamagedFilesThatOpenHoldNoMoreThanTheirShare)
{
    const fixtures::GenScenario scenario = oneSceneOf(300 * 1024);
    const QByteArray file = fixtures::scenarioBytes(scenario);
    Opened clean;
    open(clean, file);
    ASSERT_TRUE(clean.result.ok);
    const int nodes = clean.tree.count();

    fixtures::GenScenario unknown = scenario;
    for (fixtures::GenSection &section : unknown.scenes[0].sections)
        section.body.insert(section.body.begin(), fixtures::GenCommand{hexBytes("FF 00 FE 00"), false, {}});
    struct Case {
        const char *name;
        QByteArray bytes;
        EexLoadWarning::Kind kind;
    };
    const Case cases[] = {
        {"stray bytes after the last Scene", file + "ZZZZ", EexLoadWarning::Kind::BytesAfterEnd},
        {"a small Scene listed again", smallSceneListed(file, 2), EexLoadWarning::Kind::BytesReadTwice},
        {"unknown codes in every Section", fixtures::scenarioBytes(unknown), EexLoadWarning::Kind::UnknownCode},
    };
    for (const Case &c : cases) {
        Opened o;
        open(o, c.bytes);
        ASSERT_TRUE(o.result.ok) << c.name;
        EXPECT_TRUE(hasKind(o.result, c.kind)) << c.name;
        EXPECT_FALSE(hasKind(o.result, EexLoadWarning::Kind::Unsaveable)) << c.name;
        EXPECT_LE(o.tree.count(), nodes + nodes / 4) << c.name;
        EXPECT_LE(highestPass(o.result), 1) << c.name;
        std::int64_t change = 0;
        for (const EexLoadWarning &w : o.result.warnings)
            change += eexSaveByteChange(w);
        const EexSerializeResult saved = eexSerializeChecked(o.tree);
        ASSERT_TRUE(saved.ok) << c.name << saved.message.toStdString();
        EXPECT_EQ(saved.bytes.size(), c.bytes.size() + change) << c.name;
    }
    // Every Section's run of two unknown codes is one warning of 4 bytes.
    Opened o;
    open(o, cases[2].bytes);
    int runs = 0;
    for (const EexLoadWarning &w : o.result.warnings) {
        if (w.kind != EexLoadWarning::Kind::UnknownCode)
            continue;
        ++runs;
        EXPECT_EQ(w.byteCount, 4);
    }
    EXPECT_EQ(runs, int(unknown.scenes[0].sections.size()));
}

// The budget: an undamaged file's reading stays below it at every size, and
// it grows with the file.
TEST(DamagedOpenCost, ReadBudgetLeavesRoomForEveryUndamagedFile)
{
    for (std::int64_t size : std::initializer_list<std::int64_t>{0, 24, 1000, 1 << 20, kMaxScenarioBytes}) {
        EXPECT_GT(eexReadBudget(size), size) << size;
        EXPECT_LE(eexReadBudget(size), size + size / 8 + 64 * 1024) << size;
    }
}

// A run of unknown codes is one warning and one line; a line that would come
// twice comes once, with how often; bytes a Section's length word claims
// behind its lists name that Section.
TEST(DamagedOpenCost, WarningLinesAreDistinctRunsAreOneAndSectionBytesNameTheirSection)
{
    // Body: three unknown codes, then an end record.
    QByteArray file = hexBytes(kHeader) + hexBytes("0E 00 00 00 01 00 0C 00 00 00 08 00 FF 00 FE 00 FD 00 00 00");
    Opened run;
    open(run, file);
    ASSERT_TRUE(run.result.ok);
    ASSERT_EQ(run.result.warnings.size(), 1u);
    EXPECT_EQ(run.result.warnings[0].kind, EexLoadWarning::Kind::UnknownCode);
    EXPECT_EQ(run.result.warnings[0].offset, 22);
    EXPECT_EQ(run.result.warnings[0].byteCount, 6);
    EXPECT_EQ(eexLoadWarningsText(run.result.warnings),
              QString("Scene 1, Section 1, 위치 16: 알 수 없는 명령 코드 6바이트를 건너뛰었습니다. 저장하면 이 바이트는 빠집니다."));

    // Section 1 claims 4 bytes behind its lists; they belong to it.
    const QByteArray gap = hexBytes("45 45 58 00 01 02 00 00 00 00 0E 00 00 00 02 00 0A 00 00 00 02 00 00 00 AA BB CC DD"
                                    "06 00 00 00 02 00 00 00");
    Opened tail;
    open(tail, gap);
    ASSERT_TRUE(tail.result.ok);
    ASSERT_EQ(tail.result.warnings.size(), 1u);
    const EexLoadWarning &w = tail.result.warnings[0];
    EXPECT_EQ(w.kind, EexLoadWarning::Kind::BytesSkipped);
    EXPECT_EQ(w.scene, 0);
    EXPECT_EQ(w.section, 0);
    EXPECT_EQ(eexLoadWarningMessage(w), QString("Scene 1, Section 1, 위치 18: Section의 길이 안에 있지만 어느 명령에도 들지 "
                                                "않는 4바이트를 건너뛰었습니다. 저장하면 이 바이트는 빠집니다."));
    // Bytes between Scenes belong to none.
    EexLoadWarning between = w;
    between.scene = between.section = -1;
    EXPECT_TRUE(eexLoadWarningMessage(between).startsWith(u"위치 18: 어느 Scene이나 Section에도 들지 않는"));

    // The same line twice is one line with its count; the sum counts both.
    std::vector<EexLoadWarning> same{w, w, between};
    const QStringList lines = eexLoadWarningsText(same).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], eexLoadWarningMessage(w) + QStringLiteral(" (2번)"));
    EXPECT_EQ(lines[1], eexLoadWarningMessage(between));
    EXPECT_EQ(lines[2], QString("모두 합해 저장하면 12바이트가 빠지고 0바이트가 더해집니다."));
}
