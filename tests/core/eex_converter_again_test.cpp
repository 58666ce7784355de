// Files the converter meets a second time, and files with nothing to convert:
// a converted small Section whose first head code equals its length - 4 (the
// shape of an empty head list in the editor's layout), and a scenario without
// a Scene, are passed over unchanged and the batch goes on.
#include "core/converter_record_walk.h"
#include "core/eex_converter.h"
#include "core/eex_reader.h"
#include "fixtures/hex_bytes.h"
#include "fixtures/scenario_generator.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace core;
using eexwalk::u16At;
using eexwalk::u32At;
using fixtures::GenCommand;
using fixtures::GenScenario;
using fixtures::GenScene;
using fixtures::GenSection;
using fixtures::hexBytes;
using fixtures::toHex;

namespace {

// Header 10, one Scene offset, the Section count: the first Section length.
constexpr qsizetype kFirstSectionLength = 16;
// Its 4-byte length, then the head list.
constexpr qsizetype kFirstHeadCode = kFirstSectionLength + 4;

GenScenario oneSection(const QByteArray &headRecord, int pauses)
{
    GenSection section{{GenCommand{headRecord, false, {}}}, {}};
    section.body.assign(std::size_t(pauses), GenCommand{hexBytes("03 00"), false, {}});
    return GenScenario{{GenScene{{section}}}};
}

// Converted files of one Section whose first head code equals the Section
// length - 4, one for every code the generator's records allow.
std::vector<QByteArray> ambiguousConvertedFiles()
{
    std::vector<QByteArray> files;
    fixtures::ScenarioGenerator gen(35);
    for (int code = 0x02; code <= 0x7F; ++code) {
        if (fixtures::isBlockCode(code))
            continue;
        for (int attempt = 0; attempt < 4; ++attempt) {
            const QByteArray record = gen.record(code);
            const EexConversion bare = convertEexBytes(fixtures::scenarioBytes(oneSection(record, 0)));
            if (!bare.ok || u16At(bare.bytes, kFirstHeadCode) != code)
                break;
            const qint64 gap = code + 4 - qint64(u32At(bare.bytes, kFirstSectionLength));
            if (gap < 0 || gap % 2 != 0)
                continue;
            const EexConversion once = convertEexBytes(fixtures::scenarioBytes(oneSection(record, int(gap / 2))));
            EXPECT_TRUE(once.ok) << std::hex << code;
            EXPECT_EQ(qint64(u32At(once.bytes, kFirstSectionLength)), code + 4) << std::hex << code;
            files.push_back(once.bytes);
            break;
        }
    }
    return files;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(EexConverterAgain, SmallSectionWhoseFirstCodeEqualsItsLengthLessFourConvertsAgainUnchanged)
{
    const std::vector<QByteArray> files = ambiguousConvertedFiles();
    ASSERT_GE(files.size(), 10u);
    for (const QByteArray &once : files) {
        SCOPED_TRACE(toHex(once).toStdString());
        ASSERT_LE(qint64(u32At(once, kFirstSectionLength)), 131);
        const EexConversion twice = convertEexBytes(once);
        ASSERT_TRUE(twice.ok) << twice.reason.toStdString() << " at " << twice.errorOffset;
        EXPECT_EQ(toHex(twice.bytes), toHex(once));
    }
}

TEST(EexConverterAgain, AnEditorSectionWithAnEmptyHeadStillConverts)
{
    // The editor's layout of the same shape: an empty head list, then the
    // body length L - 4. Widened, not taken for a converted Section.
    for (int pauses : {1, 2, 10, 60}) {
        const GenSection section{{}, std::vector<GenCommand>(std::size_t(pauses), GenCommand{hexBytes("03 00"), false, {}})};
        const GenScenario scenario{{GenScene{{section}}}};
        const EexConversion once = convertEexBytes(fixtures::scenarioBytes(scenario));
        ASSERT_TRUE(once.ok);
        EXPECT_EQ(once.bytes.size(), fixtures::scenarioBytes(scenario).size() + 4) << pauses;
        EXPECT_EQ(u16At(once.bytes, kFirstHeadCode), 0) << pauses;
    }
}

TEST(EexConverterAgain, NothingToConvertIsPassedOverAndTheBatchGoesOn)
{
    QTemporaryDir dir;
    const std::vector<QByteArray> converted = ambiguousConvertedFiles();
    ASSERT_FALSE(converted.empty());
    const QByteArray noScene = hexBytes("45 45 58 00 01 02 00 00 00 00");
    const QByteArray plain = fixtures::scenarioBytes(oneSection(hexBytes("03 00"), 1));
    struct File {
        const char *name;
        QByteArray bytes;
        bool changes;
    };
    const File files[] = {
        {"a_no_scene.eex", noScene, false},
        {"b_table_cut.eex", noScene + hexBytes("0C"), false},
        {"c_converted.eex", converted.front(), false},
        {"d_converted.eex", converted.back(), false},
        {"e_plain.eex", plain, true},
    };
    QStringList paths;
    for (const File &f : files) {
        paths << dir.filePath(f.name);
        writeFile(paths.back(), f.bytes);
    }
    const EexBatchResult r = convertEexFiles(paths, {}, {});
    EXPECT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.changedFiles, QStringList{paths.back()});
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (files[i].changes)
            EXPECT_EQ(toHex(readFile(paths[i])), toHex(convertEexBytes(plain).bytes));
        else
            EXPECT_EQ(toHex(readFile(paths[i])), toHex(files[i].bytes)) << files[i].name;
    }
}

// A whole Scene table whose first value counts no Scene (10, the table of no
// Scene, and the other values the reader rounds to none): the reader opens an
// empty scenario, so the converter has nothing to do there and goes on with
// the files after it.
TEST(EexConverterAgain, ATableThatCountsNoSceneIsPassedOverAndTheFilesAfterItConvert)
{
    const QByteArray header = hexBytes("45 45 58 00 01 02 00 00 00 00");
    const QByteArray plain = fixtures::scenarioBytes(oneSection(hexBytes("03 00"), 2));
    const QByteArray converted = convertEexBytes(plain).bytes;
    ASSERT_NE(converted, plain);
    for (const int first : {8, 9, 10, 11, 12}) {
        SCOPED_TRACE(first);
        const QByteArray noScene = header + fixtures::u32(first);
        ASSERT_EQ(noScene.size(), 14);
        const EexConversion alone = convertEexBytes(noScene);
        EXPECT_TRUE(alone.ok) << alone.reason.toStdString();
        EXPECT_EQ(alone.bytes, noScene);
        DocTree tree;
        KeySerial serial = 0;
        ASSERT_TRUE(eexLoad(noScene, QStringLiteral("e.eex"), tree, serial).ok);
        EXPECT_EQ(tree.childCount(tree.root()), 0);

        QTemporaryDir dir;
        const QStringList paths = {dir.filePath("a.eex"), dir.filePath("b_empty.eex"), dir.filePath("c.eex")};
        writeFile(paths[0], plain);
        writeFile(paths[1], noScene);
        writeFile(paths[2], plain);
        const EexBatchResult r = convertEexFiles(paths, {}, {});
        EXPECT_TRUE(r.ok) << r.message.toStdString();
        EXPECT_EQ(r.message, QStringLiteral("적용 완료!"));
        EXPECT_EQ(r.changedFiles, QStringList({paths[0], paths[2]}));
        EXPECT_EQ(readFile(paths[0]), converted);
        EXPECT_EQ(readFile(paths[1]), noScene);
        EXPECT_EQ(readFile(paths[2]), converted);
    }
    // A first value that counts Scenes the table cannot hold stays an error.
    for (const int first : {13, 14, 18}) {
        const EexConversion r = convertEexBytes(header + fixtures::u32(first));
        EXPECT_FALSE(r.ok) << first;
    }
}
