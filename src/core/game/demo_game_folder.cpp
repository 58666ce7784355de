#include "core/game/demo_game_folder.h"

#include "core/game/demo_font_files.h"
#include "core/game/demo_map_files.h"
#include "core/game/e5_writer.h"
#include "platform/cp949.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>

#include <algorithm>

#include <cstring>

namespace core::game {

namespace {

const char16_t *const kFamily[] = {u"가", u"누", u"다", u"로", u"미", u"보", u"수", u"오", u"주", u"차", u"키", u"토", u"피", u"하"};
const char16_t *const kGiven[] = {u"람", u"솔", u"별", u"결", u"빛", u"들", u"샘", u"온", u"윤", u"하늘", u"바람", u"여울", u"나래", u"슬기", u"가온", u"새벽"};
const char16_t *const kWeaponKinds[] = {u"검", u"창", u"도끼", u"활", u"부채", u"철퇴", u"단검", u"장궁", u"쌍검", u"언월도"};
const char16_t *const kArmourKinds[] = {u"갑옷", u"투구", u"방패", u"가죽옷", u"비늘갑", u"두루마기"};
const char16_t *const kAssistKinds[] = {u"환약", u"부적", u"책", u"반지", u"거울", u"구슬", u"피리", u"깃발"};
const char16_t *const kMaterials[] = {u"나무", u"구리", u"쇠", u"은", u"금", u"옥", u"별빛", u"달빛"};
const char16_t *const kTroopKinds[] = {u"보병", u"궁병", u"기병", u"창병", u"도적", u"책사", u"무희", u"수군", u"포병", u"장수", u"군악", u"의원"};

template <size_t N>
QString pick(const char16_t *const (&list)[N], int i)
{
    return QString::fromUtf16(list[size_t(i) % N]);
}

void putField(QByteArray &bytes, qint64 pos, const QString &text, int width)
{
    const QByteArray enc = platform::Cp949::encode(text).left(width);
    std::memcpy(bytes.data() + pos, enc.constData(), size_t(enc.size()));
}

QByteArray itemRecord(int n)
{
    QByteArray r(25, '\0');
    putField(r, 0, demoItemName(n), 17);
    r[17] = char(demoItemType(n));
    for (int k = 18; k < 25; ++k)
        r[k] = char((n * 7 + k) & 0x3F);
    return r;
}

// An 8-bit pixel picture (palette indexes) with a simple recognisable pattern.
QByteArray pixelImage(int width, int height, int seed)
{
    QByteArray px(qsizetype(width) * height, '\0');
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool inside = x > width / 4 && x < 3 * width / 4 && (y % 64) > 8 && (y % 64) < 56;
            px[qsizetype(y) * width + x] = char(inside ? 16 + ((seed * 13 + y / 16) % 200) : 0);
        }
    return px;
}

bool writeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());  // files may lie in subfolders
    QSaveFile f(path);
    if (f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit())
        return true;
    if (error)
        *error = QStringLiteral("%1 파일을 쓰지 못했습니다: %2").arg(path, f.errorString());
    return false;
}

} // namespace

QString demoPersonName(int j)
{
    return pick(kFamily, j) + pick(kGiven, j / 14) + (j >= 14 * 16 ? pick(kGiven, j / (14 * 16) + 3) : QString());
}

quint8 demoItemType(int n)
{
    if (n >= 104) {
        static const quint8 star[12] = {3, 12, 21, 25, 30, 44, 71, 80, 19, 22, 60, 27};
        return star[n - 104];
    }
    if (n < 36)
        return quint8(n % 20);
    if (n < 54)
        return quint8(20 + n % 6);
    if (n < 64)
        return quint8(71 + (n - 54)); // items of no equipment list
    return quint8(26 + n % 40);
}

QString demoItemName(int n)
{
    const quint8 t = demoItemType(n);
    const QString material = pick(kMaterials, n);
    if (t < 20)
        return material + pick(kWeaponKinds, n / 8);
    if (t <= 25)
        return material + pick(kArmourKinds, n / 8);
    return material + pick(kAssistKinds, n / 8);
}

QString demoTroopName(int i)
{
    return pick(kTroopKinds, i) + QString::number(i / 12 + 1);
}

QByteArray demoPersonTable()
{
    QByteArray t(1024 * 32, '\0');
    for (int j = 0; j < 1024; ++j) {
        const qint64 at = qint64(j) * 32;
        putField(t, at, demoPersonName(j), 12);
        const quint16 face = quint16(j % 16);
        t[at + 13] = char(face & 0xFF);
        t[at + 14] = char(face >> 8);
        t[at + 15] = char(j % 8);
        for (int k = 16; k < 26; ++k)
            t[at + k] = char((j + k) % 100);
        t[at + 26] = char(j % 240);
    }
    return t;
}

QByteArray demoItemTable()
{
    QByteArray t;
    for (int n = 0; n < 104; ++n)
        t += itemRecord(n);
    return t;
}

QList<QByteArray> demoDataEntries()
{
    QList<QByteArray> entries{demoPersonTable(), demoItemTable()};
    // Tables the editor does not read: small invented fillers.
    for (int k = 2; k < 6; ++k) {
        QByteArray filler(200 + 40 * k, '\0');
        for (qsizetype i = 0; i < filler.size(); ++i)
            filler[i] = char((i * k + k) % 23);
        entries << filler;
    }
    return entries;
}

QByteArray demoDataArchive()
{
    QList<E5StoredEntry> entries;
    for (const QByteArray &e : demoDataEntries())
        entries << E5StoredEntry::raw(e);
    return buildE5Archive(entries, identityDictionary());
}

QByteArray demoStarFile()
{
    QByteArray items;
    for (int n = 104; n < 116; ++n)
        items += itemRecord(n);
    // One raw entry placed so the records start at offset 650.
    return buildE5Archive({E5StoredEntry::raw(items)}, identityDictionary(), 650 - 272 - 12);
}

QByteArray demoExecutable(const DemoExeLayout &layout)
{
    QByteArray exe(layout.size, '\0');
    exe[0] = 'M';
    exe[1] = 'Z';
    for (int i = 0; i < layout.troopCount; ++i) {
        const qint64 at = layout.troopAddress + qint64(i) * layout.troopLength;
        if (at + layout.troopLength <= exe.size())
            putField(exe, at, demoTroopName(i), layout.troopLength - 1);
    }
    for (int p = 0; p < 1024; ++p) {
        const qint64 at = layout.unitModelAddress + 2 * qint64(p);
        if (at + 1 < exe.size()) {
            exe[at] = char(p % 8);
            exe[at + 1] = char(0x01);
        }
    }
    return exe;
}

QByteArray demoJpeg(int width, int height, int seed)
{
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(QColor::fromHsv((seed * 37) % 360, 120, 220));
    {
        QPainter p(&img);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor::fromHsv((seed * 37 + 180) % 360, 160, 160));
        p.drawEllipse(QRect(width / 4, height / 5, width / 2, height / 2));
    }
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPG", 85);
    return bytes;
}

QByteArray demoFaceArchive(int faces)
{
    QList<E5StoredEntry> entries;
    for (int e = 0; e < faces + 7; ++e)
        entries << E5StoredEntry::raw(demoJpeg(64, 80, e < 7 ? 0 : e - 7));
    return buildE5Archive(entries, identityDictionary());
}

QByteArray demoSpriteArchive(int models)
{
    QList<E5StoredEntry> entries;
    for (int e = 0; e < 2 * models; ++e)
        entries << E5StoredEntry::raw(pixelImage(48, 1280, e));
    return buildE5Archive(entries, identityDictionary());
}

QByteArray demoUnitArchive(const QString &kind, int units)
{
    int w = 48, frames = 5;
    if (kind.compare(QStringLiteral("ATK"), Qt::CaseInsensitive) == 0) {
        w = 64;
        frames = 12;
    } else if (kind.compare(QStringLiteral("Mov"), Qt::CaseInsensitive) == 0) {
        frames = 11;
    }
    // A few distinct pictures, repeated: every unit number a demo person can
    // have gets an entry, and the archive stores each picture once.
    QList<QByteArray> pictures;
    for (int e = 0; e < std::min(units, 4); ++e)
        pictures << pixelImage(w, w * frames, e);
    QList<E5StoredEntry> entries;
    for (int e = 0; e < units; ++e)
        entries << E5StoredEntry::raw(pictures[e % pictures.size()]);
    return buildE5Archive(entries, identityDictionary());
}

QByteArray demoLogoArchive()
{
    QList<E5StoredEntry> entries;
    for (int e = 0; e < 6; ++e)
        entries << E5StoredEntry::raw(demoJpeg(e == 5 ? 640 : 64, e == 5 ? 400 : 64, 40 + e));
    return buildE5Archive(entries, identityDictionary());
}

QByteArray demoMapArchive(int backgrounds)
{
    QList<E5StoredEntry> entries;
    for (int e = 0; e < backgrounds; ++e)
        entries << E5StoredEntry::raw(demoJpeg(320, 200, 60 + e));
    // The world map is read only when its entry is exactly 256,000 bytes;
    // a JPEG decoder ignores what follows the picture.
    QByteArray world = demoJpeg(640, 480, 99);
    world.append(256000 - world.size(), '\0');
    entries << E5StoredEntry::raw(world);
    // Four bytes between directory and data: the readers count entries as
    // (offset of entry 0) / 12 - 23.
    return buildE5Archive(entries, identityDictionary(), 4);
}

bool writeDemoGameFolder(const QString &folder, QString *error)
{
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("%1 폴더를 만들지 못했습니다.").arg(folder);
        return false;
    }
    const QDir dir(folder);
    const QList<QPair<QString, QByteArray>> files = {
        {QStringLiteral("Data.e5"), demoDataArchive()},
        {QStringLiteral("star.e5"), demoStarFile()},
        {QStringLiteral("Ekd5.exe"), demoExecutable()},
        {QStringLiteral("face.e5"), demoFaceArchive()},
        {QStringLiteral("PMAPOBJ.e5"), demoSpriteArchive()},
        {QStringLiteral("UNIT_ATK.e5"), demoUnitArchive(QStringLiteral("ATK"))},
        {QStringLiteral("UNIT_Mov.e5"), demoUnitArchive(QStringLiteral("Mov"))},
        {QStringLiteral("UNIT_SPC.e5"), demoUnitArchive(QStringLiteral("SPC"))},
        {QStringLiteral("LOGO.e5"), demoLogoArchive()},
        {QStringLiteral("mmap.e5"), demoMapArchive()},
    };
    for (const auto &[name, bytes] : files + demoFontFiles() + demoMapFiles())
        if (!writeFile(dir.filePath(name), bytes, error))
            return false;
    return true;
}

} // namespace core::game
