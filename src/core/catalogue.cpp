// The one table of the 122 commands. The default records are assembled once
// from the item notation, so the table stays readable and a test can hold
// each record against its listed length.
#include "core/catalogue.h"

#include "core/key_codec.h"

#include <array>
#include <vector>

namespace core {

namespace {

struct Entry {
    int code;
    const char16_t *name;
    // Default items, "tag:value" in hex, in file order. "05:text" takes the
    // caller's text, "05:(empty)" is always empty, "35:[0]"/"35:[]" a list.
    const char *items;
    int bytes;        // default record length with an empty caller text
    bool callerText;  // bytes grows by the caller's text
    int slotCount;      // army tables: `items` is one slot, repeated
    bool block;
};

// clang-format off
const Entry kTable[kCommandCount] = {
    {0x00, u"사건결속", "", 2, false, 0, false},  // end of event
    {0x01, u"자사건설정", "", 2, false, 0, false},  // child event set-up
    {0x02, u"내부정보", "05:text", 5, true, 0, true},  // internal note
    {0x03, u"Else", "", 2, false, 0, true},  // else branch
    {0x04, u"문의시험", "26:0", 6, false, 0, true},  // question test
    {0x05, u"변량시험", "35:[0] 35:[]", 12, false, 0, true},  // variable test
    {0x06, u"아군출격설정", "2E:0 04:0 38:0 38:0 38:0 38:0 38:0 39:FFFF 39:FFFF 39:FFFF 39:FFFF 39:FFFF", 52, false, 0, false},  // own-force sortie set-up
    {0x07, u"출전설정", "", 2, false, 0, true},  // sortie set-up
    {0x08, u"메뉴처리", "2E:0", 6, false, 0, false},  // menu handling
    {0x09, u"지연", "04:0", 8, false, 0, false},  // delay
    {0x0A, u"후부변량초기화", "", 2, false, 0, false},  // variable reset
    {0x0B, u"변량설정", "04:0 27:0", 12, false, 0, false},  // variable set
    {0x0C, u"Section결속", "", 2, false, 0, false},  // end of Section
    {0x0D, u"Scene결속", "", 2, false, 0, false},  // end of Scene
    {0x0E, u"전투실패", "", 2, false, 0, false},  // battle lost
    {0x0F, u"결말설정", "12:0", 6, false, 0, false},  // ending set-up
    {0x10, u"루센다지도", "", 2, false, 0, false},  // map of a person (the person is ours)
    {0x11, u"극본이동", "37:0", 6, false, 0, false},  // scenario jump
    {0x12, u"선택문", "05:(empty) 02:FFFF", 9, false, 0, true},  // choice
    {0x13, u"Case", "04:1", 8, false, 0, true},  // case branch
    {0x14, u"대화", "05:text", 5, true, 0, false},  // dialogue
    {0x15, u"대화2", "02:FFFF 02:FFFF 05:text", 13, true, 0, false},  // dialogue 2
    {0x16, u"정보", "05:text", 5, true, 0, false},  // information
    {0x17, u"장소명", "05:text", 5, true, 0, false},  // place name
    {0x18, u"사건명", "05:text", 5, true, 0, false},  // event name
    {0x19, u"승리조건", "05:text", 5, true, 0, false},  // victory condition
    {0x1A, u"현재승리조건", "05:text", 5, true, 0, false},  // current victory condition
    {0x1B, u"고유퇴각대사보기설정", "02:FFFF 27:0", 10, false, 0, false},  // own retreat lines set-up
    {0x1C, u"제도", "", 2, false, 0, false},  // drawing
    {0x1D, u"색조합설정", "", 2, false, 0, false},  // colour set-up
    {0x1E, u"무장동작", "", 2, false, 0, false},  // unit action
    {0x1F, u"지도시점변화", "04:0 04:0", 14, false, 0, false},  // map viewpoint change
    {0x20, u"무장얼굴변화설정", "4A:0", 6, false, 0, false},  // unit face change set-up
    {0x21, u"전장물체추가", "04:0 04:0 10:0 26:0 26:0", 26, false, 0, false},  // battlefield object add
    {0x22, u"동영상", "1B:0", 6, false, 0, false},  // movie
    {0x23, u"음악", "1E:0 04:0", 12, false, 0, false},  // music
    {0x24, u"트랙", "09:0", 6, false, 0, false},  // track
    {0x25, u"무장진입지점시험", "02:FFFF 04:0 04:0", 18, false, 0, true},  // unit entry-point test
    {0x26, u"무장진입구역시험", "02:FFFF 04:0 04:0 04:0 04:0", 30, false, 0, true},  // unit entry-zone test
    {0x27, u"배경설정", "2D:2 0C:FFFF 1A:FFFF 1C:FFFF 15:FFFF", 22, false, 0, false},  // background set-up
    {0x28, u"R자유행동설정", "36:0", 6, false, 0, false},  // R free-action set-up
    {0x29, u"지도얼굴보기", "02:FFFF 04:0 04:0", 18, false, 0, false},  // map face show
    {0x2A, u"지도얼굴이동", "02:FFFF 04:0 04:0", 18, false, 0, false},  // map face move
    {0x2B, u"지도얼굴제거", "02:FFFF", 6, false, 0, false},  // map face remove
    {0x2C, u"지도글자보기", "05:text 26:0 26:0 26:0", 17, true, 0, false},  // map text show
    {0x2D, u"무장클릭시험", "02:FFFF", 6, false, 0, true},  // unit click test
    {0x2E, u"무장인접시험", "02:FFFF 02:FFFF 26:0", 14, false, 0, true},  // unit adjacency test
    {0x2F, u"인물제거", "", 2, false, 0, false},  // person removal
    {0x30, u"무장출현", "02:FFFF 04:0 04:0 2B:FFFF 0D:0", 26, false, 0, false},  // unit appearance
    {0x31, u"무장소멸", "2C:0 02:FFFF 04:0 04:0 04:0 04:0 03:6", 38, false, 0, false},  // unit disappears
    {0x32, u"무장이동", "40:0 02:FFFF 04:0 04:0 04:0 2B:FFFF", 32, false, 0, false},  // unit move
    {0x33, u"무장방향", "02:FFFF 0D:0 2B:FFFF", 14, false, 0, false},  // unit direction
    {0x34, u"무장동작", "02:FFFF 0D:0", 10, false, 0, false},  // unit action
    {0x35, u"무장평조변경", "02:FFFF 13:0", 10, false, 0, false},  // unit model change
    {0x36, u"무장능력시험", "02:FFFF 23:0 04:0 24:0", 20, false, 0, true},  // unit ability test
    {0x37, u"돈,SceIndex,야심시험", "28:0 04:0 24:0", 16, false, 0, true},  // money / SceIndex / ambition test
    {0x38, u"무장능력설정", "02:FFFF 23:0 34:0 04:0", 20, false, 0, false},  // unit ability set
    {0x39, u"무장등급상승", "02:FFFF 04:0", 12, false, 0, false},  // unit level up
    {0x3A, u"돈,SceIndex,야심설정", "28:0 34:0 04:0", 16, false, 0, false},  // money / SceIndex / ambition set
    {0x3B, u"무장추가", "02:FFFF 0E:0 3E:0", 14, false, 0, false},  // unit joins
    {0x3C, u"무장가입시험", "02:FFFF 0E:0 3A:0", 14, false, 0, true},  // unit joined test
    {0x3D, u"물품획득", "17:FFFF 49:0 26:0 02:FFFF", 18, false, 0, false},  // item obtained
    {0x3E, u"무장장비설정", "02:FFFF 3B:0 49:0 3C:0 49:0 3D:0", 26, false, 0, false},  // unit equipment set
    {0x3F, u"턴수시험", "04:0 24:0", 12, false, 0, true},  // turn count test
    {0x40, u"행동측시험", "48:0", 6, false, 0, true},  // acting side test
    {0x41, u"맵인물수시험", "03:6 04:0 24:0 3F:0 04:0 04:0 04:0 04:0", 44, false, 0, true},  // map person count test
    {0x42, u"전투승리시험", "", 2, false, 0, true},  // battle won test
    {0x43, u"전투패배시험", "", 2, false, 0, true},  // battle lost test
    {0x44, u"전투초기화", "", 2, false, 0, false},  // battle initialisation
    {0x45, u"전투변량설정", "26:0 26:0 04:0 3E:0 32:0 02:FFFF 32:0 02:FFFF 47:0 22:1", 44, false, 0, false},  // battle variables set
    {0x46, u"우군출현설정", "02:FFFF 26:0 04:0 04:0 2B:FFFF 3E:0 45:2 07:1 02:FFFF 04:0 04:0", 1042, false, 20, false},  // friendly forces appearance
    {0x47, u"적군출현설정", "02:FFFF 26:0 26:0 04:0 04:0 2B:FFFF 3E:0 45:2 07:1 02:FFFF 04:0 04:0", 4482, false, 80, false},  // enemy forces appearance
    {0x48, u"적군장비설정", "02:FFFF 3B:0 49:0 3C:0 49:0 3D:0", 26, false, 0, false},  // enemy equipment set
    {0x49, u"전투결속", "", 2, false, 0, false},  // end of battle
    {0x4A, u"아군강제출현설정", "04:0 38:FFFF 38:FFFF 38:FFFF 38:FFFF 38:FFFF 39:FFFF 39:FFFF 39:FFFF 39:FFFF 39:FFFF", 48, false, 0, false},  // own forces forced appearance
    {0x4B, u"아군출현설정", "04:0 04:0 04:0 2B:FFFF 26:0", 28, false, 0, false},  // own forces appearance
    {0x4C, u"숨은무장출현", "40:0 02:FFFF 04:0", 16, false, 0, false},  // hidden unit appearance
    {0x4D, u"무장상태변경", "41:0 02:FFFF 04:0 04:0 04:0 04:0 04:0 03:6 2F:FFFF 18:FFFF 30:FFFF 04:0 04:0", 68, false, 0, false},  // unit status change
    {0x4E, u"무장방침변경", "2C:0 02:FFFF 04:0 04:0 04:0 04:0 03:6 07:1 02:FFFF 04:0 04:0", 58, false, 0, false},  // unit policy change
    {0x4F, u"전장방향설정", "02:FFFF 02:FFFF 2B:FFFF 26:0 26:0 26:0", 26, false, 0, false},  // battlefield direction set
    {0x50, u"전장동작설정", "02:FFFF 46:FFFF 26:0 26:0", 18, false, 0, false},  // battlefield action set
    {0x51, u"전장회복", "", 2, false, 0, false},  // battlefield recovery
    {0x52, u"병종변경", "02:FFFF 03:0", 10, false, 0, false},  // troop type change
    {0x53, u"전장퇴각", "2C:0 02:FFFF 04:0 04:0 04:0 04:0 03:6 26:0", 42, false, 0, false},  // battlefield retreat
    {0x54, u"전장퇴각확인", "", 2, false, 0, false},  // battlefield retreat check
    {0x55, u"전장부활", "40:0 02:FFFF 04:0 04:0 04:0 2B:FFFF", 32, false, 0, false},  // battlefield revival
    {0x56, u"날씨유형설정", "47:0", 6, false, 0, false},  // weather type set
    {0x57, u"현재날씨설정", "22:0", 6, false, 0, false},  // current weather set
    {0x58, u"전장장애물설정", "42:0 43:0 44:0 04:0 04:0 26:0 26:0", 34, false, 0, false},  // battlefield obstacle set
    {0x59, u"전리품", "04:0 17:FFFF 49:0 17:FFFF 49:0 17:FFFF 49:0 26:0", 36, false, 0, false},  // spoils
    {0x5A, u"전장작전개시", "", 2, false, 0, false},  // battlefield operation start
    {0x5B, u"전장주요구역", "04:0 04:0 04:0 04:0 26:0", 30, false, 0, false},  // battlefield key zone
    {0x5C, u"전장주요인물", "02:FFFF", 6, false, 0, false},  // battlefield key person
    {0x5D, u"턴수설정", "34:0 04:0", 12, false, 0, false},  // turn count set
    {0x5E, u"무장부동수정", "02:FFFF 02:FFFF", 10, false, 0, true},  // unit immobility change
    {0x5F, u"일기결속", "", 2, false, 0, false},  // end of duel
    {0x60, u"일기무장등장", "26:0 05:text 4C:FFFF", 13, true, 0, false},  // duel unit entrance
    {0x61, u"일기승패보기", "", 2, false, 0, false},  // duel result display
    {0x62, u"일기무장전사", "26:0", 6, false, 0, false},  // duel unit death
    {0x63, u"일기대사", "26:0 05:text 26:0", 13, true, 0, false},  // duel lines
    {0x64, u"일기동작", "26:0 4C:0", 10, false, 0, false},  // duel action
    {0x65, u"일기공격1", "26:0 4D:0 26:0", 14, false, 0, false},  // duel attack 1
    {0x66, u"일기공격2", "26:0 4E:0 26:0", 14, false, 0, false},  // duel attack 2
    {0x67, u"장명", "04:1 05:text", 11, true, 0, false},  // chapter name
    {0x68, u"일기시작", "02:FFFF 02:FFFF 4F:0", 14, false, 0, false},  // duel start
    {0x69, u"방백", "05:text", 5, true, 0, false},  // aside
    {0x6A, u"GameOver", "", 2, false, 0, false},  // game over
    {0x6B, u"법술", "04:0 04:0 4B:0 26:0", 22, false, 0, false},  // magic
    {0x6C, u"무장능력복사", "02:FFFF 02:FFFF", 10, false, 0, false},  // unit ability copy
    {0x6D, u"상대부활/이동", "40:0 02:FFFF 04:0 02:FFFF 04:0 04:0 2B:FFFF 26:0", 40, false, 0, true},  // relative revival or move
    {0x6E, u"확률시험", "04:0", 8, false, 0, true},  // probability test
    {0x6F, u"물품파기", "17:FFFF", 6, false, 0, false},  // item discard
    {0x70, u"능력선택복사", "02:FFFF 02:FFFF 04:0", 16, false, 0, false},  // selective ability copy
    {0x71, u"특수요청", "04:0", 8, false, 0, false},  // special request
    {0x72, u"정보전송", "04:0 05:(empty)", 11, false, 0, false},  // information send
    {0x73, u"인물능력치시험", "02:FFFF 04:0 24:0 26:0 26:0 26:0 26:0 26:0", 36, false, 0, false},  // person ability value test
    {0x74, u"저장개/폐", "26:0", 6, false, 0, false},  // saving on or off
    {0x75, u"S특수형상지정", "02:FFFF 50:0", 10, false, 0, true},  // S special model assignment
    {0x76, u"무조건도전", "04:0", 8, false, 0, true},  // unconditional challenge
    {0x77, u"변량연산", "51:0 04:0 53:0 52:0 04:0", 26, false, 0, false},  // variable arithmetic
    {0x78, u"정형변량대입", "04:0 54:0 02:FFFF 55:0", 20, false, 0, false},  // fixed-variable assignment
    {0x79, u"변량시험", "52:0 04:0 56:0 52:0 04:0", 26, false, 0, true},  // variable comparison test
};
// clang-format on

const Entry *entry(int code) { return isValidCode(code) ? &kTable[code] : nullptr; }

// Appends one item of the notation to the record. `text` is the hex of the
// caller's text for a "05:text" item.
void appendItem(QString &rec, QStringView item, const QString &textHex)
{
    const qsizetype colon = item.indexOf(u':');
    const int tag = item.left(colon).toInt(nullptr, 16);
    const QStringView value = item.mid(colon + 1);
    rec += longToHex(tag, 2);
    if (tag == 0x05) {
        if (value == u"text")
            rec += textHex;
        rec += QStringLiteral("00");
    } else if (tag == 0x35) {
        // "[]" or "[a,b,...]": a count and that many u16 values.
        const QStringView inner = value.mid(1, value.size() - 2);
        const auto parts = inner.isEmpty() ? QList<QStringView>() : inner.split(u',');
        rec += longToHex(parts.size(), 2);
        for (QStringView p : parts)
            rec += longToHex(p.toInt(nullptr, 16), 2);
    } else {
        rec += longToHex(value.toLongLong(nullptr, 16), tag == 0x04 ? 4 : 2);
    }
}

QString buildRecord(const Entry &e, const QString &textHex)
{
    QString rec = longToHex(e.code, 2);
    const QString items = QString::fromLatin1(e.items);
    const auto parts = QStringView(items).split(u' ', Qt::SkipEmptyParts);
    const int repeats = e.slotCount > 0 ? e.slotCount : 1;
    for (int r = 0; r < repeats; ++r)
        for (QStringView item : parts)
            appendItem(rec, item, textHex);
    return rec;
}

struct Built {
    std::array<QString, kCommandCount> records;  // with an empty caller text
    QStringList names;
};

const Built &built()
{
    static const Built b = [] {
        Built out;
        for (const Entry &e : kTable) {
            out.records[e.code] = buildRecord(e, QString());
            out.names.append(QString::number(e.code, 16).toUpper() + QStringLiteral(" : ")
                             + QString::fromUtf16(e.name));
        }
        return out;
    }();
    return b;
}

// The commands without an edit dialog; every other command has one.
constexpr int kWithoutEditDialog[] = {0x00, 0x01, 0x03, 0x07, 0x0A, 0x0C, 0x0D, 0x0E, 0x10,
                                      0x1C, 0x1D, 0x1E, 0x2F, 0x42, 0x43, 0x44, 0x49, 0x51,
                                      0x54, 0x5A, 0x5E, 0x5F, 0x61, 0x6A, 0x76};

} // namespace

bool isValidCode(int code) { return code >= 0 && code < kCommandCount; }

QString menuName(int code) { return isValidCode(code) ? built().names.at(code) : QString(); }

const QStringList &menuNames() { return built().names; }

QString commandName(int code)
{
    const Entry *e = entry(code);
    return e ? QString::fromUtf16(e->name) : QString();
}

bool isBlockMenu(int code)
{
    const Entry *e = entry(code);
    return e && e->block;
}

QString defaultRecord(int code, const QString &text)
{
    const Entry *e = entry(code);
    if (!e)
        return QString();
    if (!e->callerText || text.isEmpty())
        return built().records[code];
    return buildRecord(*e, wAscii(text));
}

int defaultRecordLength(int code)
{
    const Entry *e = entry(code);
    return e ? e->bytes : -1;
}

bool takesCallerText(int code)
{
    const Entry *e = entry(code);
    return e && e->callerText;
}

QString defaultItemsNotation(int code)
{
    const Entry *e = entry(code);
    return e ? QString::fromLatin1(e->items) : QString();
}

int armySlotCount(int code)
{
    const Entry *e = entry(code);
    return e ? e->slotCount : 0;
}

bool hasEditDialog(int code)
{
    if (!isValidCode(code))
        return false;
    for (int c : kWithoutEditDialog)
        if (c == code)
            return false;
    return true;
}

} // namespace core
