#include "core/game/game_data.h"

#include "core/game/data_file_unpack.h"
#include "core/game/e5_archive.h"
#include "core/game/game_files.h"
#include "core/settings.h"
#include "platform/cp949.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace core::game {

namespace {

// A read-only view of a whole file: mapped when the platform allows, read
// otherwise. Reads past its end give nothing.
class FileBytes
{
public:
    explicit FileBytes(const QString &path) : m_file(path)
    {
        if (!m_file.open(QIODevice::ReadOnly))
            return;
        m_open = true;
        const qint64 size = m_file.size();
        if (size <= 0)
            return;
        if (uchar *p = m_file.map(0, size)) {
            m_view = QByteArrayView(reinterpret_cast<const char *>(p), size);
        } else {
            m_copy = m_file.readAll();
            m_view = m_copy;
        }
    }
    bool isOpen() const { return m_open; }
    QByteArrayView view() const { return m_view; }
    // Exactly len bytes from pos; the part past the end reads as zeros.
    QByteArray field(qint64 pos, qint64 len) const
    {
        QByteArray out(len, '\0');
        if (pos < 0 || pos >= m_view.size())
            return out;
        const qint64 n = std::min(len, m_view.size() - pos);
        std::memcpy(out.data(), m_view.data() + pos, size_t(n));
        return out;
    }

private:
    QFile m_file;
    bool m_open = false;
    QByteArrayView m_view;
    QByteArray m_copy;
};

// The number a text begins with, as the settings are read: leading blanks,
// an optional sign, digits and an optional fraction. Empty when no digit.
std::optional<double> leadingNumber(const QString &text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    const qsizetype digitsStart = i;
    while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128)
        ++i;
    bool anyDigit = i > digitsStart;
    if (i < t.size() && t[i] == u'.') {
        ++i;
        const qsizetype fracStart = i;
        while (i < t.size() && t[i].isDigit() && t[i].unicode() < 128)
            ++i;
        anyDigit = anyDigit || i > fracStart;
    }
    if (!anyDigit)
        return std::nullopt;
    bool ok = false;
    const double v = t.left(i).toDouble(&ok);
    if (!ok && t.left(i).endsWith(u'.'))
        return t.left(i - 1).toDouble();
    return ok ? std::optional<double>(v) : std::nullopt;
}

std::optional<qint64> hexNumber(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 15)
        return std::nullopt;
    bool ok = false;
    const qint64 v = t.toLongLong(&ok, 16);
    // toLongLong accepts a "0x" prefix and a sign; the settings hold bare digits.
    for (QChar c : t)
        if (!c.isDigit() && !(c.toLower() >= u'a' && c.toLower() <= u'f'))
            return std::nullopt;
    return ok ? std::optional<qint64>(v) : std::nullopt;
}

QString settingOr(const QString &section, const QString &key, const QString &fallback)
{
    const QString v = readINI(section, key).trimmed();
    return v.isEmpty() ? fallback : v;
}

QString trimBlanks(const QString &s)
{
    qsizetype a = 0, b = s.size();
    while (a < b && s[a] == u' ')
        ++a;
    while (b > a && s[b - 1] == u' ')
        --b;
    return s.mid(a, b - a);
}

// CP949 bytes as one finished text: a lead byte left without its trail byte
// at the end shows as U+FFFD like any other undecodable byte, instead of
// being held back for a trail byte that never comes.
QString decodeFinished(QByteArrayView bytes)
{
    QByteArray terminated = bytes.toByteArray();
    terminated.append('\0');
    QString text = platform::Cp949::decode(terminated);
    text.chop(1); // the terminator
    return text;
}

void fillGroupAndVariablePersons(QStringList &charNames)
{
    charNames[1024] = QStringLiteral("모든 인물");
    charNames[1025] = QStringLiteral("아군or우군");
    charNames[1026] = QStringLiteral("적군");
    charNames[1027] = QStringLiteral("아군직면인물");
    for (int k = 0; k < kVariablePersonCount; ++k)
        charNames[1028 + k] = u'*' + QString::number(k);
}

void ensureSize(QStringList &list, qsizetype n)
{
    if (list.size() != n)
        list.resize(n);
}

// Reads one item record into the item table and its equipment list.
void readItem(GameData &data, int n, const QByteArray &record, int valueBase)
{
    const QString name = decodeNameField(QByteArrayView(record).first(kItemNameSize));
    data.names.itemNames[n] = name;
    const int blanks = equipmentBlanksForType(quint8(record[kItemNameSize]));
    const QString entry = equipmentEntry(name, blanks, n + valueBase);
    if (blanks == kWeaponBlanks)
        data.names.weaponNames[n] = entry;
    else if (blanks == kDefenceBlanks)
        data.names.defenceNames[n] = entry;
    else if (blanks == kAssistBlanks)
        data.names.assistNames[n] = entry;
}

// "x이(가) 파일이 아니라 폴더입니다." for a game file that is a folder.
QString notAFileProblem(const QString &path)
{
    return QStringLiteral("게임 폴더의 %1이(가) 파일이 아니라 폴더(또는 장치)입니다. 이 파일의 이름들을 읽지 않았습니다.")
        .arg(QFileInfo(path).fileName());
}

QString unreadableProblem(const QString &path)
{
    return QStringLiteral("게임 폴더의 %1을(를) 읽을 수 없습니다.").arg(QFileInfo(path).fileName());
}

// The troop names and unit models; a message when the executable is there
// but is no executable or cannot be read.
QString loadTroopsAndModels(GameData &data, const QString &folder)
{
    const TroopSettings troop = readTroopSettings();
    data.names.troopNames = QStringList(troop.count);
    data.unitModels.clear();
    const QString exePath =
        gameFilePath(folder, settingOr(QStringLiteral("FileName"), QStringLiteral("EXE"), kDefaultExeName));
    const QFileInfo exeInfo(exePath);
    if (!exeInfo.exists())
        return {};
    if (!exeInfo.isFile())
        return notAFileProblem(exePath);
    const FileBytes exe(exePath);
    if (!exe.isOpen())
        return unreadableProblem(exePath);
    // Every Windows executable begins with "MZ"; anything else would give
    // troop names made of whatever bytes sit at the table's place.
    if (!exe.view().startsWith("MZ")) {
        return QStringLiteral("게임 폴더의 %1이(가) 게임 실행 파일이 아닙니다(손상되었거나 다른 파일입니다). "
                              "부대 이름과 유닛 모델을 읽지 않았습니다.")
            .arg(exeInfo.fileName());
    }
    if (troop.address >= 0) {
        for (int i = 0; i < troop.count; ++i)
            data.names.troopNames[i] = decodeTroopName(exe.view(), troop.address + qint64(i) * troop.length);
    }
    const qint64 models = unitModelAddressSetting();
    const QByteArray table = exe.field(models, 2 * kPersonCount);
    data.unitModels.resize(kPersonCount);
    for (int p = 0; p < kPersonCount; ++p)
        data.unitModels[p] = quint8(table[2 * p]);
    return {};
}

// Persons and items 0..103 from an unpacked data archive; a message when its
// directory is damaged (the names then stay empty).
QString loadDataArchive(GameData &data, const QString &path)
{
    const FileBytes file(path);
    if (!file.isOpen())
        return QStringLiteral("데이터 파일 %1을(를) 열 수 없습니다.").arg(QFileInfo(path).fileName());
    const auto e0 = bytesToLongBE(file.view(), kPersonTableField);
    const auto e1 = bytesToLongBE(file.view(), kItemTableField);
    // An entry whose table does not fit in the file: its place is damaged
    // (or the file is no data archive at all).
    const qint64 size = file.view().size();
    const bool personsFit = e0 && *e0 + qint64(kPersonRecordSize) * kPersonCount <= size;
    const bool itemsFit = e1 && *e1 + qint64(kItemRecordSize) * kDataItemCount <= size;
    if (!personsFit || !itemsFit) {
        return QStringLiteral("데이터 파일 %1의 항목 목록이 손상되었습니다 (위치 0x%2).")
            .arg(QFileInfo(path).fileName(), QString::number(personsFit ? kItemTableField : kPersonTableField, 16).toUpper());
    }
    data.persons.resize(kPersonCount);
    const QByteArray persons = file.field(*e0, qint64(kPersonRecordSize) * kPersonCount);
    for (int j = 0; j < kPersonCount; ++j) {
        const QByteArrayView r = QByteArrayView(persons).sliced(qint64(j) * kPersonRecordSize, kPersonRecordSize);
        PersonRecord &p = data.persons[j];
        p.name = decodeNameField(r.first(kPersonNameSize));
        p.face = quint16(quint8(r[13]) | (quint8(r[14]) << 8));
        p.mapModel = quint8(r[15]);
        p.troop = quint8(r[26]);
        data.names.charNames[j] = p.name;
    }
    const QByteArray items = file.field(*e1, qint64(kItemRecordSize) * kDataItemCount);
    for (int n = 0; n < kDataItemCount; ++n)
        readItem(data, n, items.mid(qint64(n) * kItemRecordSize, kItemRecordSize), 2);
    return {};
}

QString loadStarItems(GameData &data, const QString &folder)
{
    // Opened read-only: a missing "star.e5" leaves the twelve items empty and
    // is never created.
    const QString path = gameFilePath(folder, kStarFileName);
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    if (!info.isFile())
        return notAFileProblem(path);
    const FileBytes star(path);
    if (!star.isOpen())
        return unreadableProblem(path);
    const qint64 needed = kStarItemOffset + qint64(kItemRecordSize) * (kItemCount - kDataItemCount);
    if (star.view().size() < needed) {
        return QStringLiteral("게임 폴더의 %1이(가) %2바이트로 너무 짧습니다(%3바이트 이상이어야 합니다). "
                              "아이템 104~115의 이름을 읽지 않았습니다.")
            .arg(info.fileName())
            .arg(star.view().size())
            .arg(needed);
    }
    const QByteArray items = star.field(kStarItemOffset, qint64(kItemRecordSize) * (kItemCount - kDataItemCount));
    for (int n = kDataItemCount; n < kItemCount; ++n)
        readItem(data, n, items.mid(qint64(n - kDataItemCount) * kItemRecordSize, kItemRecordSize), 28);
    return {};
}

} // namespace

TroopSettings readTroopSettings()
{
    TroopSettings s;
    const QString section = QStringLiteral("Setting");
    const QString addr = settingOr(section, QStringLiteral("TroopNameAddress"), QStringLiteral("D18D0"));
    if (const auto a = hexNumber(addr))
        s.address = *a;
    const QString len = settingOr(section, QStringLiteral("TroopNameLength"), QStringLiteral("9"));
    if (const auto l = leadingNumber(len); l && std::nearbyint(*l) >= 1 && *l < 2147483647.0)
        s.length = qint64(std::nearbyint(*l));
    s.count = troopCountSetting();
    return s;
}

int troopCountSetting()
{
    const auto v = leadingNumber(readINI(QStringLiteral("Setting"), QStringLiteral("TroopCount")));
    if (!v)
        return kDefaultTroopCount;
    const double r = std::nearbyint(*v);
    if (r < 1 || r > 32767)
        return kDefaultTroopCount;
    return int(r);
}

qint64 unitModelAddressSetting()
{
    const auto a = hexNumber(settingOr(QStringLiteral("Setting"), QStringLiteral("UnitModelAddress"), QStringLiteral("D2800")));
    return a ? *a : 0;
}

QString decodeNameField(QByteArrayView field)
{
    QString s = decodeFinished(field);
    s.remove(QChar(u'\0'));
    return s;
}

QString decodeTroopName(QByteArrayView bytes, qint64 offset)
{
    if (offset < 0 || offset >= bytes.size())
        return {};
    const QByteArrayView rest = bytes.sliced(offset);
    const qsizetype nul = rest.indexOf('\0');
    return decodeFinished(rest.first(nul < 0 ? rest.size() : nul));
}

QString equipmentEntry(const QString &itemName, int blanks, int value)
{
    return trimBlanks(itemName) + QString(blanks, u' ') + QString::number(value);
}

int equipmentBlanksForType(quint8 type)
{
    if (type < 20)
        return kWeaponBlanks;
    if (type <= 25)
        return kDefenceBlanks;
    if (type >= 71 && type <= 84)
        return 0;
    return kAssistBlanks;
}

void clearGameNames(GameData &data)
{
    ensureSize(data.names.charNames, kCharNameCount);
    for (int j = 0; j < kPersonCount; ++j)
        data.names.charNames[j].clear();
    // The group words and variable persons are the editor's own, not the game's.
    fillGroupAndVariablePersons(data.names.charNames);
    data.names.itemNames = QStringList(kItemCount);
    data.names.troopNames = QStringList(data.names.troopNames.size());
    data.persons.clear();
}

GameLoadReport gameDataLoad(GameData &data, const QString &folder)
{
    GameLoadReport report;
    data.folder = folder;
    data.weatherNames = {QStringLiteral("맑음"), QStringLiteral("흐림"), QStringLiteral("비"),
                         QStringLiteral("호우"), QStringLiteral("눈")};
    data.names.charNames = QStringList(kCharNameCount);
    data.names.itemNames = QStringList(kItemCount);
    data.names.weaponNames = QStringList(kItemCount);
    data.names.defenceNames = QStringList(kItemCount);
    data.names.assistNames = QStringList(kItemCount);
    data.persons.clear();

    if (const QString problem = loadTroopsAndModels(data, folder); !problem.isEmpty())
        report.messages << problem;

    const QString dataPath =
        gameFilePath(folder, settingOr(QStringLiteral("FileName"), QStringLiteral("Data"), kDefaultDataName));
    const QFileInfo dataInfo(dataPath);
    if (dataInfo.exists() && !dataInfo.isFile())
        report.messages << notAFileProblem(dataPath);
    if (dataInfo.isFile()) {
        bool readable = true;
        if (dataInfo.size() < kPackedDataFileLimit) {
            const DataFileResult unpacked = decodeDataFile(dataPath);
            if (!unpacked.ok()) {
                report.messages << unpacked.message;
                readable = false;
            }
        }
        if (readable) {
            const QString problem = loadDataArchive(data, dataPath);
            if (!problem.isEmpty()) {
                report.messages << problem;
                readable = false;
            }
        }
        if (readable) {
            if (const QString problem = loadStarItems(data, folder); !problem.isEmpty())
                report.messages << problem;
        } else {
            // A data archive we could not read names nobody: no half tables.
            data.persons.clear();
            data.names.charNames = QStringList(kCharNameCount);
            data.names.itemNames = QStringList(kItemCount);
            data.names.weaponNames = QStringList(kItemCount);
            data.names.defenceNames = QStringList(kItemCount);
            data.names.assistNames = QStringList(kItemCount);
        }
    }
    fillGroupAndVariablePersons(data.names.charNames);
    return report;
}

} // namespace core::game
