// Files the converter wrote into the extended layout are refused at open with
// a message that names that layout and the menu item that writes it; the
// converter's own "converted before" recognition agrees with the refusal. A
// file in the editor's layout is never taken for one: over generated
// scenarios of many shapes and the fuzzers' seeds.
#include "core/eex_converter.h"
#include "core/eex_reader.h"
#include "core/eex_writer.h"
#include "fixtures/hex_bytes.h"
#include "fixtures/scenario_generator.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace core;
using fixtures::hexBytes;

namespace {

// Scenario shapes: small and empty lists (the shape a converted file's first
// Section can take in the editor's layout), deep child events, army tables,
// many small Sections, and files of some size.
std::vector<fixtures::GeneratorOptions> shapes()
{
    std::vector<fixtures::GeneratorOptions> out;
    fixtures::GeneratorOptions plain;
    out.push_back(plain);
    fixtures::GeneratorOptions emptyHeads = plain;
    emptyHeads.maxHead = 0;
    out.push_back(emptyHeads);
    fixtures::GeneratorOptions tiny = plain;
    tiny.maxHead = 1;
    tiny.maxBody = 2;
    tiny.maxNested = 1;
    tiny.armyTables = false;
    out.push_back(tiny);
    fixtures::GeneratorOptions emptyTiny = tiny;
    emptyTiny.maxHead = 0;
    emptyTiny.maxSections = 1;
    emptyTiny.maxScenes = 1;
    out.push_back(emptyTiny);
    fixtures::GeneratorOptions deep = plain;
    deep.maxDepth = 12;
    deep.maxNested = 3;
    out.push_back(deep);
    fixtures::GeneratorOptions itemless = plain;
    itemless.itemlessRunPercent = 60;
    itemless.armyTables = false;
    out.push_back(itemless);
    fixtures::GeneratorOptions many = plain;
    many.maxScenes = 6;
    many.maxSections = 12;
    many.maxBody = 3;
    out.push_back(many);
    return out;
}

constexpr int kSeedsPerShape = 100;

bool holdsASection(const fixtures::GenScenario &s)
{
    for (const fixtures::GenScene &scene : s.scenes)
        if (!scene.sections.empty())
            return true;
    return false;
}

EexLoadResult load(const QByteArray &bytes)
{
    DocTree tree;
    KeySerial serial = 0;
    return eexLoad(bytes, QStringLiteral("/s/S_01.eex"), tree, serial);
}

QString refusalText()
{
    EexLoadResult refused;
    refused.failure = EexLoadFailure::ExtendedLayout;
    return eexLoadFailureMessage(refused, "/s/S_01.eex");
}

} // namespace

TEST(ExtendedLayoutOpen, ConvertedScenariosAreRefusedByNameAndTheConverterPassesThemOver)
{
    int refused = 0;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::vector<fixtures::GeneratorOptions> all = shapes();
    for (std::size_t shape = 0; shape < all.size(); ++shape) {
        for (int seed = 0; seed < kSeedsPerShape; ++seed) {
            SCOPED_TRACE(testing::Message() << "shape " << shape << " seed " << seed);
            fixtures::ScenarioGenerator gen(std::uint64_t(1000 * shape + seed), all[shape]);
            const fixtures::GenScenario scenario = gen.scenario();
            const QByteArray plain = fixtures::scenarioBytes(scenario);
            const EexConversion converted = convertEexBytes(plain);
            ASSERT_TRUE(converted.ok) << converted.reason.toStdString();
            if (!holdsASection(scenario)) {
                // Nothing to convert: the same bytes in both layouts, and an
                // editor's file.
                EXPECT_EQ(converted.bytes, plain);
                EXPECT_FALSE(isExtendedLayout(plain));
                EXPECT_TRUE(load(plain).ok);
                continue;
            }
            // The converter's own recognition: a second run changes nothing.
            EXPECT_EQ(convertEexBytes(converted.bytes).bytes, converted.bytes);
            EXPECT_TRUE(isExtendedLayout(converted.bytes));
            const EexLoadResult r = load(converted.bytes);
            EXPECT_FALSE(r.ok);
            EXPECT_EQ(r.failure, EexLoadFailure::ExtendedLayout);
            refused += r.failure == EexLoadFailure::ExtendedLayout;
            if (seed == 0) {
                // Through the file too, and through the batch, which passes
                // it over unchanged.
                const QString path = dir.filePath(QStringLiteral("c%1.eex").arg(shape));
                QFile f(path);
                ASSERT_TRUE(f.open(QIODevice::WriteOnly));
                f.write(converted.bytes);
                f.close();
                DocTree tree;
                KeySerial serial = 0;
                const EexLoadResult fromFile = eexLoadFile(path, tree, serial);
                EXPECT_EQ(fromFile.failure, EexLoadFailure::ExtendedLayout);
                EXPECT_EQ(tree.count(), 0);
                EXPECT_EQ(eexLoadFailureMessage(fromFile, path), path + "\r\n" + refusalText().section("\r\n", 1));
                const EexFileConversion again = convertEexFile(path);
                EXPECT_TRUE(again.ok);
                EXPECT_FALSE(again.changed);
            }
        }
    }
    EXPECT_GT(refused, int(all.size()) * kSeedsPerShape / 2);

}

TEST(ExtendedLayoutOpen, TheRefusalNamesTheLayoutAndTheMenuItemThatWritesIt)
{
    const QString text = refusalText();
    EXPECT_TRUE(text.startsWith("/s/S_01.eex\r\n")) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("확장 형식이라"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\"확장 형식으로 변환...\""))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("SeekAdr"))) << text.toStdString();
}

TEST(ExtendedLayoutOpen, ScenariosInTheEditorsLayoutAreNeverTakenForTheExtendedOne)
{
    const std::vector<fixtures::GeneratorOptions> all = shapes();
    for (std::size_t shape = 0; shape < all.size(); ++shape) {
        for (int seed = 0; seed < kSeedsPerShape; ++seed) {
            SCOPED_TRACE(testing::Message() << "shape " << shape << " seed " << seed);
            fixtures::ScenarioGenerator gen(std::uint64_t(1000 * shape + seed), all[shape]);
            const QByteArray plain = fixtures::scenarioBytes(gen.scenario());
            EXPECT_FALSE(isExtendedLayout(plain));
            const EexLoadResult r = load(plain);
            EXPECT_TRUE(r.ok) << int(r.failure);
        }
    }
}

TEST(ExtendedLayoutOpen, SmallestFilesInBothLayouts)
{
    // The 24-byte file of one empty Section, and its conversion.
    const QByteArray smallest = hexBytes("45 45 58 00 01 02 00 00 00 00 0E 00 00 00 01 00 06 00 00 00 02 00 00 00");
    EXPECT_FALSE(isExtendedLayout(smallest));
    EXPECT_TRUE(load(smallest).ok);
    const QByteArray converted = convertEexBytes(smallest).bytes;
    EXPECT_EQ(converted, hexBytes("45 45 58 00 01 02 00 00 00 00 0E 00 00 00 01 00 0A 00 00 00 00 00 04 00 00 00 00 00"));
    EXPECT_TRUE(isExtendedLayout(converted));
    EXPECT_EQ(load(converted).failure, EexLoadFailure::ExtendedLayout);
    // No Section at all: both layouts alike, opened.
    for (const char *noSection : {"45 45 58 00 01 02 00 00 00 00", "45 45 58 00 01 02 00 00 00 00 0A 00 00 00",
                                  "45 45 58 00 01 02 00 00 00 00 0E 00 00 00 00 00"}) {
        EXPECT_FALSE(isExtendedLayout(hexBytes(noSection))) << noSection;
        EXPECT_TRUE(load(hexBytes(noSection)).ok) << noSection;
    }
}

namespace {

// The fuzz seeds live beside the sources; found from the test program's
// folder up (the build folder is usually inside the source tree) or from
// this file's path.
QString corpusFolder()
{
    QStringList starts = {QCoreApplication::applicationDirPath(), QDir::currentPath()};
    const QFileInfo self(QStringLiteral(__FILE__));
    if (self.isAbsolute())
        starts << self.absolutePath();
    for (const QString &start : starts) {
        QDir d(start);
        for (int up = 0; up < 6; ++up) {
            if (QFileInfo(d.filePath(QStringLiteral("fuzz/corpus/reader"))).isDir())
                return d.filePath(QStringLiteral("fuzz/corpus"));
            if (!d.cdUp())
                break;
        }
    }
    return {};
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(ExtendedLayoutOpen, FuzzSeedsInTheEditorsLayoutOpenAndTheirConversionsAreRefused)
{
    const QString corpus = corpusFolder();
    if (corpus.isEmpty())
        GTEST_SKIP() << "fuzz/corpus not found from the test program's folder";
    int seeds = 0;
    // The reader's seeds are scenario files; the converter's carry one byte
    // of options in front.
    for (const auto &[folder, skip] : {std::pair{QStringLiteral("reader"), 0}, std::pair{QStringLiteral("converter"), 1}}) {
        QDirIterator it(QDir(corpus).filePath(folder), QDir::Files);
        while (it.hasNext()) {
            const QString path = it.next();
            SCOPED_TRACE(path.toStdString());
            const QByteArray bytes = readAll(path).mid(skip);
            ++seeds;
            EXPECT_FALSE(isExtendedLayout(bytes));
            const EexLoadResult r = load(bytes);
            EXPECT_NE(r.failure, EexLoadFailure::ExtendedLayout);
            const EexConversion converted = convertEexBytes(bytes);
            if (converted.ok && converted.bytes != bytes) {
                EXPECT_EQ(load(converted.bytes).failure, EexLoadFailure::ExtendedLayout);
            }
        }
    }
    EXPECT_GE(seeds, 10);
}

// Bytes can be a whole file in both layouts: one Section whose extended
// reading (a head list of 0x20, a body of ten 0x03) is also, in the editor's
// layout, an empty head list and a body of 0x03, 0x09 and ten 0x03 with every
// length exact. The converter passes it over as converted; the editor opens
// it, since it is exactly what a save of its tree writes, and every save of
// the editor must open again.
TEST(ExtendedLayoutOpen, AFileExactlyInTheEditorsLayoutOpensThoughTheConverterWouldPassItOver)
{
    const QByteArray section = hexBytes("24 00 00 00 20 00 03 00 09 00 00 00 18 00 00 00")
                               + hexBytes("03 00").repeated(10) + hexBytes("00 00");
    const QByteArray file = hexBytes("45 45 58 00 01 02 00 00 00 00 0E 00 00 00 01 00") + section;
    ASSERT_TRUE(isExtendedLayout(file));
    const EexConversion again = convertEexBytes(file);
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(again.bytes, file);

    DocTree tree;
    KeySerial serial = 0;
    const EexLoadResult r = eexLoad(file, QStringLiteral("both.eex"), tree, serial);
    ASSERT_TRUE(r.ok) << int(r.failure);
    EXPECT_TRUE(r.warnings.empty());
    EXPECT_EQ(eexSerializeChecked(tree).bytes, file);
    // Body: 0x03, 0x09, ten 0x03 and the end node under the head-end node.
    const NodeId headEnd = tree.firstChild(tree.firstChild(tree.firstChild(tree.root())));
    EXPECT_EQ(tree.childCount(headEnd), 13);

    // The head's 0x20 made 0x22, another record of 6 bytes: still converted
    // to the converter, but the editor's reading now has a body length that
    // disagrees with its body, so a save would not write these bytes: refused.
    QByteArray off = file;
    off[20] = char(0x22);
    EXPECT_TRUE(isExtendedLayout(off));
    EXPECT_EQ(load(off).failure, EexLoadFailure::ExtendedLayout);
}
