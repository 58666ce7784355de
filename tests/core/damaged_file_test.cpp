// Damaged scenario files: generated scenarios with seeded mutations (cuts, bit
// flips, overwritten length fields, inserted and deleted bytes). Each variant
// is refused with a position, or opens with warnings whose byte counts are
// exactly what a save drops and adds; its save reads back into the same tree
// or is refused, leaving the file byte-identical, and then the open said so.
#include "core/eex_reader.h"
#include "core/eex_writer.h"
#include "fixtures/hex_bytes.h"
#include "fixtures/scenario_generator.h"
#include "fixtures/tree_walk.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <random>

using namespace core;
using fixtures::hexBytes;

namespace {

// Where the length fields of a generated file stand: the Scene table, the
// Section counts, the Section and body lengths and the nested lengths.
struct Field {
    qsizetype offset;
    int size;
};

void nestedFields(const std::vector<fixtures::GenCommand> &list, qsizetype at, std::vector<Field> &out)
{
    for (const fixtures::GenCommand &c : list) {
        if (c.childEvent) {
            const qsizetype nAt = at + 2 + c.record.size();
            out.push_back({nAt, 2});
            nestedFields(c.nested, nAt + 2, out);
        }
        at += fixtures::commandBytes(c);
    }
}

qsizetype listSize(const std::vector<fixtures::GenCommand> &list)
{
    qsizetype n = 2;
    for (const fixtures::GenCommand &c : list)
        n += fixtures::commandBytes(c);
    return n;
}

std::vector<Field> lengthFields(const fixtures::GenScenario &s)
{
    std::vector<Field> out;
    qsizetype at = 10 + 4 * qsizetype(s.scenes.size());
    for (std::size_t i = 0; i < s.scenes.size(); ++i) {
        out.push_back({qsizetype(10 + 4 * i), 4});
        out.push_back({at, 2});
        at += 2;
        for (const fixtures::GenSection &sec : s.scenes[i].sections) {
            out.push_back({at, 2});
            const qsizetype head = listSize(sec.head);
            out.push_back({at + 2 + head, 2});
            nestedFields(sec.body, at + 4 + head, out);
            at += 4 + head + listSize(sec.body);
        }
    }
    return out;
}

enum class Mutation { Cut, BitFlips, LengthField, Insert, Delete, Overwrite4, kCount };

QByteArray mutate(const QByteArray &file, const std::vector<Field> &fields, Mutation kind, std::mt19937_64 &rng)
{
    auto pick = [&](qsizetype lo, qsizetype hi) { return qsizetype(std::uniform_int_distribution<qsizetype>(lo, hi)(rng)); };
    QByteArray v = file;
    switch (kind) {
    case Mutation::Cut:
        v.truncate(pick(0, v.size() - 1));
        break;
    case Mutation::BitFlips:
        for (int i = int(pick(1, 3)); i > 0; --i) {
            const qsizetype at = pick(0, v.size() - 1);
            v[at] = char(v[at] ^ (1 << pick(0, 7)));
        }
        break;
    case Mutation::LengthField: {
        const Field f = fields[std::size_t(pick(0, qsizetype(fields.size()) - 1))];
        quint32 value = 0;
        for (int i = 0; i < f.size; ++i)
            value |= quint32(quint8(v[f.offset + i])) << (8 * i);
        switch (pick(0, 3)) {
        case 0: value += quint32(pick(-6, 6)); break;
        case 1: value = quint32(pick(0, 0xFFFF)); break;
        case 2: value = 0; break;
        default: value = 0xFFFFFFFF; break;
        }
        for (int i = 0; i < f.size; ++i)
            v[f.offset + i] = char((value >> (8 * i)) & 0xFF);
        break;
    }
    case Mutation::Insert: {
        QByteArray bytes;
        switch (pick(0, 2)) {
        case 0: bytes = hexBytes("01 00"); break;   // a stray marker
        case 1: bytes = hexBytes("FF 00"); break;   // an unknown code
        default:
            for (int i = int(pick(1, 8)); i > 0; --i)
                bytes.append(char(pick(0, 255)));
        }
        v.insert(pick(0, v.size()), bytes);
        break;
    }
    case Mutation::Delete: {
        const qsizetype at = pick(0, v.size() - 1);
        v.remove(at, pick(1, 8));
        break;
    }
    case Mutation::Overwrite4: {
        const qsizetype at = pick(0, v.size() - 1);
        for (qsizetype i = at; i < at + 4 && i < v.size(); ++i)
            v[i] = char(pick(0, 255));
        break;
    }
    case Mutation::kCount:
        break;
    }
    return v;
}

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
