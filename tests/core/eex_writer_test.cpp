#include "core/eex_reader.h"
#include "core/eex_writer.h"
#include "core/key_codec.h"
#include "fixtures/hex_bytes.h"
#include "fixtures/scenario_generator.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>

using namespace core;
using fixtures::hexBytes;

namespace {

struct Doc {
    DocTree tree;
    KeySerial serial = 0;
};

void loadOk(Doc &d, const QByteArray &bytes)
{
    const EexLoadResult r = eexLoad(bytes, "w.eex", d.tree, d.serial);
    ASSERT_TRUE(r.ok) << r.errorOffset;
}

const char *const kSmallest = "45 45 58 00 01 02 00 00 00 00 0E 00 00 00 01 00 06 00 00 00 02 00 00 00";
// A head comment, and a body holding the same comment and a child event of 0x6E.
const char *const kWithChildEvent = "45 45 58 00 01 02 00 00 00 00 0E 00 00 00 01 00"
                                    "20 00 02 00 05 00 41 00 00 00"
                                    "16 00 02 00 05 00 41 00 01 00 6E 00 04 00 32 00 00 00 02 00 00 00 00 00";

// A doubled marker, and a head list holding a code outside the usual condition set.
const char *const kDoubledMarker = "45 45 58 00 01 02 00 00 00 00 0E 00 00 00 01 00"
                                   "16 00 00 00 12 00 01 00 01 00 6E 00 04 00 32 00 00 00 02 00 00 00 00 00";
const char *const kHeadChoice = "45 45 58 00 01 02 00 00 00 00 0E 00 00 00 01 00"
                                "10 00 12 00 05 00 41 00 02 00 05 00 00 00 02 00 00 00";

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(EexWriter, HandMadeFilesRoundTripByteForByte)
{
    for (const char *hex : {kSmallest, kWithChildEvent, kDoubledMarker, kHeadChoice}) {
        Doc d;
        loadOk(d, hexBytes(hex));
        const EexSerializeResult s = eexSerialize(d.tree);
        ASSERT_TRUE(s.ok) << s.message.toStdString();
        EXPECT_EQ(fixtures::toHex(s.bytes), fixtures::toHex(hexBytes(hex)));
    }
}

TEST(EexWriter, ChildEventIsMarkerRecordLengthListAndEnd)
{
    Doc d;
    loadOk(d, hexBytes(kWithChildEvent));
    const QByteArray bytes = eexSerialize(d.tree).bytes;
    EXPECT_TRUE(bytes.contains(hexBytes("01 00 6E 00 04 00 32 00 00 00 02 00 00 00")));
    // The head comment (locked) and the body comment give the same bytes.
    EXPECT_EQ(bytes.mid(18, 6), hexBytes("02 00 05 00 41 00"));
    EXPECT_EQ(bytes.mid(28, 6), bytes.mid(18, 6));
}

TEST(EexWriter, SceneTableAndScenesWithoutSections)
{
    Doc d;
    loadOk(d, hexBytes("45 45 58 00 01 02 00 00 00 00 12 00 00 00 14 00 00 00 00 00 "
                       "01 00 06 00 00 00 02 00 00 00"));
    const QByteArray bytes = eexSerialize(d.tree).bytes;
    ASSERT_EQ(bytes.size(), 30);
    EXPECT_EQ(bytes.mid(10, 8), hexBytes("12 00 00 00 14 00 00 00"));  // first at 10 + 4S
    EXPECT_EQ(bytes.mid(18, 2), hexBytes("00 00"));
}

TEST(EexWriter, GeneratedScenariosSurviveLoadAndSaveUnchanged)
{
    KeySerial serial = 0;
    for (std::uint64_t seed = 1; seed <= 3000; ++seed) {
        fixtures::ScenarioGenerator gen(seed);
        const fixtures::GenScenario sc = gen.scenario();
        const QByteArray bytes = fixtures::scenarioBytes(sc);
        DocTree tree;
        ASSERT_TRUE(eexLoad(bytes, "g.eex", tree, serial).ok) << seed;
        const EexSerializeResult s = eexSerialize(tree);
        ASSERT_TRUE(s.ok) << seed << " " << s.message.toStdString();
        ASSERT_EQ(s.bytes, bytes) << "seed " << seed;
        if (!sc.scenes.empty()) {
            const quint32 first = quint8(s.bytes[10]) | (quint8(s.bytes[11]) << 8);
            EXPECT_EQ(first, 10 + 4 * sc.scenes.size());
        }
    }
}

TEST(EexWriter, OversizedSectionIsRefusedNamingSceneAndSection)
{
    Doc d;
    loadOk(d, hexBytes(kSmallest));
    const NodeId bodyEnd = d.tree.firstChild(d.tree.find(readerHeadEndKey(0, 0)));
    const QString army = longToHex(0x47, 2) + QString(4480 * 2, u'0');
    for (int i = 0; i < 15; ++i)
        d.tree.add(bodyEnd, Relation::Before, army + "_x" + QString::number(i), "army");
    const EexSerializeResult s = eexSerialize(d.tree);
    EXPECT_FALSE(s.ok);
    EXPECT_TRUE(s.bytes.isEmpty());
    EXPECT_TRUE(s.message.contains("Scene 1, Section 1")) << s.message.toStdString();
    EXPECT_EQ(s.scene, 0);
    EXPECT_EQ(s.section, 0);
}

TEST(EexWriter, NestedLengthMismatchOrBadKeyIsRefused)
{
    Doc d;
    loadOk(d, hexBytes(kWithChildEvent));
    const NodeId he = d.tree.find(readerHeadEndKey(0, 0));
    const NodeId block = d.tree.child(he, 2);
    QString key = d.tree.key(block);
    ASSERT_TRUE(key.startsWith("6E000400320000000200_"));
    key.replace(16, 4, "0400");
    ASSERT_TRUE(d.tree.setKey(block, key));
    EexSerializeResult s = eexSerialize(d.tree);
    EXPECT_FALSE(s.ok);
    EXPECT_TRUE(s.message.contains("Scene 1, Section 1"));
    // Adding a command to the nested list without telling its length is caught too.
    key.replace(16, 4, "0200");
    ASSERT_TRUE(d.tree.setKey(block, key));
    ASSERT_TRUE(eexSerialize(d.tree).ok);
    d.tree.add(d.tree.firstChild(block), Relation::Before, "0A00_new", "x");
    EXPECT_FALSE(eexSerialize(d.tree).ok);
    d.tree.remove(d.tree.find("0A00_new"));
    d.tree.add(d.tree.firstChild(block), Relation::Before, "0AZ0_bad", "x");
    s = eexSerialize(d.tree);
    EXPECT_FALSE(s.ok);
    EXPECT_TRUE(s.message.contains("0AZ0_bad"));
}

TEST(EexWriter, SaveReplacesTheFileAndKeepsItsPermissions)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.eex");
    writeFile(path, "old");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    Doc d;
    loadOk(d, hexBytes(kWithChildEvent));
    const EexWriteResult r = eexWrite(d.tree, path);
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(readFile(path), hexBytes(kWithChildEvent));
    const QFile::Permissions unixBits = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                        QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther |
                                        QFile::WriteOther | QFile::ExeOther;
    EXPECT_EQ(QFile::permissions(path) & unixBits, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);  // no temporary left behind
}

TEST(EexWriter, FailedSavesLeaveTheOldFileByteIdentical)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.eex");
    const QByteArray old = hexBytes(kSmallest);
    writeFile(path, old);
    Doc d;
    loadOk(d, hexBytes(kWithChildEvent));

    // A write that fails half-way.
    const EexWriteHook halfWay = [](QIODevice &dev, const QByteArray &bytes) {
        dev.write(bytes.left(bytes.size() / 2));
        return false;
    };
    EexWriteResult r = eexWrite(d.tree, path, halfWay);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.message.isEmpty());
    EXPECT_EQ(readFile(path), old);

    // A write refused as onto a read-only file (permission checks do not bite as root).
    const EexWriteHook readOnly = [](QIODevice &, const QByteArray &) { return false; };
    r = eexWrite(d.tree, path, readOnly);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);

    // A folder that does not exist.
    r = eexWrite(d.tree, dir.filePath("missing/a.eex"));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains("저장할 폴더가 없습니다.")) << r.message.toStdString();

    // A folder under the file's name.
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.eex"));
    r = eexWrite(d.tree, dir.filePath("folder.eex"));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains("같은 이름의 폴더가 있어")) << r.message.toStdString();
    EXPECT_TRUE(QFileInfo(dir.filePath("folder.eex")).isDir());

    // A refused serialization writes nothing at all.
    const NodeId block = d.tree.child(d.tree.find(readerHeadEndKey(0, 0)), 2);
    d.tree.add(d.tree.firstChild(block), Relation::Before, "0A00_new", "x");
    r = eexWrite(d.tree, path);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(readFile(path), old);
}

// Every save is read back before it replaces the file: a tree whose bytes the
// reader would read differently (so the file could not be opened as it was
// saved) is refused with the reason, and the file stays byte-identical.
TEST(EexWriter, ASaveThatWouldNotReadBackIntoTheSameTreeIsRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.eex");
    const QByteArray old = hexBytes(kWithChildEvent);
    struct Case {
        const char *name;
        std::function<void(DocTree &)> spoil;
    };
    const Case cases[] = {
        // A child under a head command, which the head list cannot hold.
        {"child of a head command",
         [](DocTree &t) {
             const NodeId comment = t.firstChild(t.find(readerSectionKey(0, 0)));
             t.add(comment, Relation::LastChild, "0000_x", "end");
         }},
        // A child event whose marker was removed: its nested length and list
        // read back as commands of the body.
        {"child event without its marker",
         [](DocTree &t) { t.remove(t.child(t.find(readerHeadEndKey(0, 0)), 1)); }},
    };
    for (const Case &c : cases) {
        writeFile(path, old);
        Doc d;
        loadOk(d, old);
        c.spoil(d.tree);
        ASSERT_TRUE(eexSerialize(d.tree).ok) << c.name;  // the bytes themselves are well-formed
        const EexWriteResult r = eexWrite(d.tree, path);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_TRUE(r.message.contains(u"다시 읽어 보니")) << c.name << r.message.toStdString();
        EXPECT_TRUE(r.message.contains(u"원래 파일은 그대로입니다.")) << c.name;
        EXPECT_EQ(r.scene, 0) << c.name;
        EXPECT_EQ(r.section, 0) << c.name;
        EXPECT_EQ(readFile(path), old) << c.name;
    }
    // Unspoilt, the same tree saves.
    Doc d;
    loadOk(d, old);
    EXPECT_TRUE(eexWrite(d.tree, path).ok);
    EXPECT_EQ(readFile(path), old);
}

// Real failures from the system, not injected ones: the file-size limit makes
// the write stop part-way (as a full disk does), and without root a read-only
// folder or file refuses the save. The old file stays byte-identical.
struct SystemFailure : ::testing::Test {
    QTemporaryDir dir;
    QString path;
    QByteArray old = hexBytes(kSmallest);
    Doc d;

    void SetUp() override
    {
        path = dir.filePath("a.eex");
        writeFile(path, old);
        fixtures::GeneratorOptions opt;
        opt.targetBytes = 64 * 1024;
        fixtures::ScenarioGenerator gen(5, opt);
        loadOk(d, fixtures::scenarioBytes(gen.scenario()));
    }
};

TEST_F(SystemFailure, AWriteCutShortByTheFileSizeLimitLeavesTheOldFile)
{
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const EexWriteResult r = eexWrite(d.tree, path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.message.isEmpty());
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(SystemFailure, ReadOnlyFileOrFolderLeavesTheOldFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root; the injected failures stand in for them";
    const QFile::Permissions rw = QFile::ReadOwner | QFile::WriteOwner;
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner));
    EexWriteResult r = eexWrite(d.tree, path);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains("쓸 권한이 없어")) << r.message.toStdString();
    EXPECT_EQ(readFile(path), old);
    ASSERT_TRUE(QFile::setPermissions(path, rw));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    r = eexWrite(d.tree, path);
    QFile::setPermissions(dir.path(), rw | QFile::ExeOwner);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(readFile(path), old);
}

// The reason a save failed, in Korean, from what the system says after it;
// never the system's English text.
TEST(EexWriter, SaveFailuresSayWhatHappened)
{
    const auto with = [](auto change) {
        SaveConditions c;
        c.bytesFree = 1 << 30;
        change(c);
        return c;
    };
    struct Case {
        SaveConditions conditions;
        QFileDevice::FileError error;
        const char *says;
    };
    const std::vector<Case> cases = {
        {with([](SaveConditions &c) { c.readOnlyDisk = true; }), QFileDevice::OpenError, "읽기 전용 디스크라"},
        {with([](SaveConditions &c) { c.bytesFree = 100; }), QFileDevice::WriteError,
         "디스크 공간이 부족해 저장할 수 없습니다. (필요: 5,000바이트, 남은 공간: 100바이트)"},
        {with([](SaveConditions &) {}), QFileDevice::ResourceError, "디스크 공간이 부족해"},
        {with([](SaveConditions &c) { c.folderWritable = false; }), QFileDevice::OpenError, "쓸 권한이 없어"},
        {with([](SaveConditions &c) { c.targetWritable = false; }), QFileDevice::OpenError, "쓸 권한이 없어"},
        {with([](SaveConditions &c) { c.folderExists = false; }), QFileDevice::OpenError, "저장할 폴더가 없습니다."},
        {with([](SaveConditions &c) { c.targetIsFolder = true; }), QFileDevice::OpenError, "같은 이름의 폴더가"},
        {with([](SaveConditions &) {}), QFileDevice::WriteError, "파일을 쓰는 중 오류가 나"},
    };
    for (const Case &c : cases) {
        const QString text = saveFailureText(c.conditions, 5000, c.error);
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.says))) << text.toStdString();
        EXPECT_TRUE(text.endsWith("원래 파일은 그대로입니다.")) << text.toStdString();
    }
}
