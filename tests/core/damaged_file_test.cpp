// Damaged scenario files: generated scenarios with seeded mutations (cuts, bit
// flips, overwritten length fields, inserted and deleted bytes). Each variant
// is refused with a position, or opens with warnings whose byte counts are
// exactly what a save drops and adds; its save reads back into the same tree
// or is refused, leaving the file byte-identical, and then the open said so.
#include "core/eex_reader.h"
#include "core/eex_writer.h"
#include "fixtures/damaged_variants.h"
#include "fixtures/scenario_generator.h"
#include "fixtures/tree_walk.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <random>

using namespace core;

namespace {

using fixtures::lengthFields;
using fixtures::Mutation;
using fixtures::mutate;
using Field = fixtures::LengthField;

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool warnedUnsaveable(const EexLoadResult &r)
{
    for (const EexLoadWarning &w : r.warnings)
        if (w.kind == EexLoadWarning::Kind::Unsaveable)
            return true;
    return false;
}

struct Tally {
    int refused = 0, clean = 0, warned = 0, unsaveable = 0, saved = 0;
};

// One variant through open, save and a second open; failures name the variant.
void checkVariant(const QByteArray &v, const std::string &name, const QString &path, bool onDisk, Tally &tally)
{
    DocTree tree;
    KeySerial serial = 0;
    const EexLoadResult r = eexLoad(v, path, tree, serial);
    if (!r.ok) {
        ++tally.refused;
        EXPECT_TRUE(r.failure == EexLoadFailure::Damaged || r.failure == EexLoadFailure::Overlapping) << name;
        EXPECT_GE(r.errorOffset, 0) << name;
        EXPECT_FALSE(eexLoadFailureMessage(r, path).isEmpty()) << name;
        return;
    }
    ++(r.warnings.empty() ? tally.clean : tally.warned);
    // The open's message: every line says something new.
    const QStringList lines = eexLoadWarningsText(r.warnings, 1 << 20).split(QStringLiteral("\r\n"));
    EXPECT_EQ(QSet<QString>(lines.begin(), lines.end()).size(), lines.size()) << name;
    std::int64_t change = 0;
    for (const EexLoadWarning &w : r.warnings) {
        change += eexSaveByteChange(w);
        EXPECT_FALSE(eexLoadWarningMessage(w).isEmpty()) << name;
    }
    const EexSerializeResult s = eexSerializeChecked(tree);
    if (!s.ok) {
        ++tally.unsaveable;
        EXPECT_FALSE(s.message.isEmpty()) << name;
        EXPECT_TRUE(warnedUnsaveable(r)) << name << ": a save is refused, but the open did not say so: "
                                         << s.message.toStdString();
    } else {
        ++tally.saved;
        EXPECT_FALSE(warnedUnsaveable(r)) << name;
        // The warnings' figures are what the save drops and adds.
        EXPECT_EQ(s.bytes.size(), v.size() + change) << name;
        // The saved bytes open again, quietly, into the same records and shape.
        DocTree again;
        const EexLoadResult r2 = eexLoad(s.bytes, path, again, serial);
        EXPECT_TRUE(r2.ok) << name;
        EXPECT_TRUE(r2.warnings.empty()) << name;
        EXPECT_EQ(fixtures::treeNodes(again), fixtures::treeNodes(tree)) << name;
    }
    if (!onDisk)
        return;
    // The real save: refused ones leave the file as it was.
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(v);
    f.close();
    const EexWriteResult w = eexWrite(tree, path);
    EXPECT_EQ(w.ok, s.ok) << name;
    EXPECT_EQ(readFile(path), w.ok ? s.bytes : v) << name;
}

} // namespace

TEST(DamagedFile, EveryMutationIsRefusedOrWarnedAndSavesOnlyWhatReadsBack)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("damaged.eex");
    QElapsedTimer timer;
    timer.start();
    Tally tally;
    int variants = 0;
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        fixtures::GeneratorOptions options;
        options.maxBody = 8;
        options.armyTables = seed % 4 == 0;
        const fixtures::GenScenario scenario = fixtures::ScenarioGenerator(seed, options).scenario();
        const QByteArray file = fixtures::scenarioBytes(scenario);
        const std::vector<Field> fields = lengthFields(scenario);
        std::mt19937_64 rng(seed * 7919);
        for (int i = 0; i < 100; ++i, ++variants) {
            const auto kind = Mutation(i % int(Mutation::kCount));
            if (kind == Mutation::LengthField && fields.empty())
                continue;
            const QByteArray v = mutate(file, fields, kind, rng);
            const std::string name = "seed " + std::to_string(seed) + " variant " + std::to_string(i);
            checkVariant(v, name, path, i % 10 == 0, tally);
            if (HasFailure())
                return;
        }
    }
    // The mutations reach every outcome.
    EXPECT_GT(tally.refused, 0);
    EXPECT_GT(tally.warned, variants / 4);
    EXPECT_GT(tally.saved, variants / 2);
    EXPECT_LT(timer.elapsed(), 30000);
    // Nearly every damaged file that opens can be saved (2 of these 6,000
    // cannot, and say so when they open).
    EXPECT_LE(tally.unsaveable, variants / 1000);
}
