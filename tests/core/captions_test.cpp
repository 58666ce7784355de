#include "core/captions.h"
#include "core/catalogue.h"
#include "core/key_codec.h"
#include "core/menu_key_load.h"

#include <gtest/gtest.h>

using namespace core;

namespace {

// Record builders: the code word, then items as the file stores them.
QString code(int c) { return longToHex(c, 2); }
QString it(int tag, int v) { return longToHex(tag, 2) + longToHex(v, 2); }
QString num(std::int64_t v) { return "0400" + longToHex(v, 4); }
QString txt(const QString &s) { return "0500" + wAscii(s) + "00"; }
QString list(std::initializer_list<int> vs)
{
    QString s = "3500" + longToHex(int(vs.size()), 2);
    for (int v : vs)
        s += longToHex(v, 2);
    return s;
}
QString key(const QString &record) { return record + "_7"; }

QString created(const QString &record, const CaptionContext &ctx = {})
{
    return commandCaption(key(record), CaptionSite::Creation, false, ctx);
}
QString body(const QString &record, const CaptionContext &ctx = {})
{
    return commandCaption(key(record), CaptionSite::ReaderBody, false, ctx);
}

} // namespace

// The creation caption of every default record with no names loaded and no
// settings, worked out by hand from the item tables.
TEST(Captions, CreationCaptionOfEveryDefaultRecord)
{
    const char *expected[kCommandCount] = {
        "0 : 사건결속",
        "1 : 자사건설정",
        "2 : 내부정보 ",
        "3 : Else",
        "4 : 문의시험 아니오",
        "5 : 변량시험 [Var0 ; 無]",
        "6 : 아군출격설정 False 0 無 無 無 無 無 無 無 無 無 無",
        "7 : 출전설정",
        "8 : 메뉴처리 False",
        "9 : 지연 0",
        "A : 후부변량초기화",
        "B : 변량설정 Var0 False",
        "C : Section결속",
        "D : Scene결속",
        "E : 전투실패",
        "F : 결말설정 사실",
        "10 : 루센다지도",
        "11 : 극본이동 S_00.EEX",
        "12 : 선택문  無",
        "13 : Case 1",
        "14 : 대화 ",
        "15 : 대화2 無 無 ",
        "16 : 정보 ",
        "17 : 장소명 ",
        "18 : 사건명 ",
        "19 : 승리조건 ",
        "1A : 현재승리조건 ",
        "1B : 고유퇴각대사보기설정 無 False",
        "1C : 제도",
        "1D : 색조합설정",
        "1E : 무장동작",
        "1F : 지도시점변화 (0,0)",
        "20 : 무장얼굴변화설정 카델린-보통",
        "21 : 전장물체추가 (0,0) 방화 시점변화X 추가후지연(소리)",
        "22 : 동영상 LOGO.AVI",
        "23 : 음악 SE00.WAV 0",
        "24 : 트랙 Track2",
        "25 : 무장진입지점시험 無 (0,0)",
        "26 : 무장진입구역시험 無 (0,0) - (0,0)",
        "27 : 배경설정 내배경 無",
        "28 : R자유행동설정",
        "29 : 지도얼굴보기 無 (0,0)",
        "2A : 지도얼굴이동 無 (0,0)",
        "2B : 지도얼굴제거 無",
        "2C : 지도글자보기  새로덮음 이어짐 대기X",
        "2D : 무장클릭시험 無",
        "2E : 무장인접시험 無 無 인접(4방향)",
        "2F : 인물제거",
        "30 : 무장출현 無 (0,0) 묵인방향 보통",
        "31 : 무장소멸 CharIndex 無",
        "32 : 무장이동 CharIndex 無 (0,0) 묵인방향",
        "33 : 무장방향 無 보통 묵인방향",
        "34 : 무장동작 無 보통",
        "35 : 무장평조변경 無 평조번호-1",
        "36 : 무장능력시험 無 Atk >= 0",
        "37 : 돈,SceIndex,야심시험 돈 >= 0",
        "38 : 무장능력설정 無 Atk = 0",
        "39 : 무장등급상승 無 0",
        "3A : 돈,SceIndex,야심설정 돈 = 0",
        "3B : 무장추가 無 Data가입 + Lv 0",
        "3C : 무장가입시험 無 ≠ Data가입",
        "3D : 물품획득 無 DefLv 시점변화X 無",
        "3E : 무장장비설정 無 묵인장비 DefLv 묵인장비 DefLv 묵인장비",
        "3F : 턴수시험 >= 0",
        "40 : 행동측시험 아군차례",
        "41 : 맵인물수시험 모든부대 >= 0 맵 전체",
        "42 : 전투승리시험",
        "43 : 전투패배시험",
        "44 : 전투초기화",
        "45 : 전투변량설정",
        "46 : 우군출현설정",
        "47 : 적군출현설정",
        "48 : 적군장비설정 無 묵인장비 DefLv 묵인장비 DefLv 묵인장비",
        "49 : 전투결속",
        "4A : 아군강제출현설정 0 無 無 無 無 無 無 無 無 無 無",
        "4B : 아군출현설정 0 (0,0) 묵인방향 숨지않음",
        "4C : 숨은무장출현 CharIndex 無",
        "4D : 무장상태변경 CharIndex 無 無 無 無 0 0",
        "4E : 무장방침변경 CharIndex 無 무조건 출격",
        "4F : 전장방향설정 無 無 묵인방향 정방향 동작전지연無 동작후지연無",
        "50 : 전장동작설정 無 無 동작전지연無 동작후지연無",
        "51 : 전장회복",
        "52 : 병종변경 無 0",
        "53 : 전장퇴각 CharIndex 無 퇴각",
        "54 : 전장퇴각확인",
        "55 : 전장부활 CharIndex 無 (0,0) 묵인방향",
        "56 : 날씨유형설정 맑음",
        "57 : 현재날씨설정 맑음",
        "58 : 전장장애물설정 불 만듬 평지 (0,0) 시점변화X 추가후지연(소리)",
        "59 : 전리품 0 無 DefLv 無 DefLv 無 DefLv 평상시",
        "5A : 전장작전개시",
        "5B : 전장주요구역 (0,0) - (0,0) 승리조건",
        "5C : 전장주요인물 無",
        "5D : 턴수설정 = 0",
        "5E : 무장부동수정",
        "5F : 일기결속",
        "60 : 일기무장등장 적군무장  無",
        "61 : 일기승패보기",
        "62 : 일기무장전사 아군무장",
        "63 : 일기대사 적군무장  지연X",
        "64 : 일기동작 적군무장 無",
        "65 : 일기공격1 적군무장 명중 보통공격",
        "66 : 일기공격2 적군무장 제자리공격 명중",
        "67 : 장명 1 ",
        "68 : 일기시작 無 無 Logo-1",
        "69 : 방백 ",
        "6A : GameOver",
        "6B : 법술 (0,0) MEFF-0 시점변화X",
        "6C : 무장능력복사 無 無",
        "6D : 상대부활/이동 CharIndex 無 無 (0,0) 묵인방향 이동",
        "6E : 확률시험 0",
        "6F : 물품파기 無",
        "70 : 능력선택복사 無 無 0",
        "71 : 특수요청 0",
        "72 : 정보전송 0 ",
        "73 : 인물능력치시험 無 0 >= 無 無 無 無 無",
        "74 : 저장개/폐 불가능",
        "75 : S특수형상지정 無 S형상-0",
        "76 : 무조건도전 0",
        "77 : 변량연산 지침변량(*p) 0 += 상수 0",
        "78 : 정형변량대입 0 <== 無 R형상",
        "79 : 변량시험 상수 0 == 상수 0",
    };
    const NameTables empty;
    const CaptionContext ctx{&empty, nullptr};
    for (int c = 0; c < kCommandCount; ++c) {
        EXPECT_EQ(commandCaption(key(defaultRecord(c)), CaptionSite::Creation, false, ctx),
                  QString::fromUtf8(expected[c]))
            << "code " << std::hex << c;
        // Null tables behave like empty ones.
        EXPECT_EQ(created(defaultRecord(c)), QString::fromUtf8(expected[c])) << "code " << std::hex << c;
    }
}

TEST(Captions, SitesDifferFor28And5E)
{
    const QString r28 = code(0x28) + it(0x36, 0);
    EXPECT_EQ(body(r28), QString("28 : R자유행동설정 0"));
    EXPECT_EQ(commandCaption(key(r28), CaptionSite::ReaderHead, false, {}), QString("28 : R자유행동설정 0"));
    EXPECT_EQ(created(r28), QString("28 : R자유행동설정"));

    NameTables names;
    names.charNames = QStringList{"갑", "을", "병"};
    const CaptionContext ctx{&names, nullptr};
    const QString r5E = code(0x5E) + it(0x02, 1) + it(0x02, 2);
    EXPECT_EQ(commandCaption(key(r5E), CaptionSite::ReaderHead, false, ctx), QString("5E : 무장부동수정"));
    EXPECT_EQ(commandCaption(key(r5E), CaptionSite::ReaderBody, false, ctx), QString("5E : 무장부동수정 을 병"));
    EXPECT_EQ(commandCaption(key(r5E), CaptionSite::Creation, false, ctx), QString("5E : 무장부동수정"));
    // Army tables and battle variables: name alone everywhere.
    for (CaptionSite s : {CaptionSite::ReaderHead, CaptionSite::ReaderBody, CaptionSite::Creation}) {
        EXPECT_EQ(commandCaption(key(defaultRecord(0x45)), s, false, {}), menuName(0x45));
        EXPECT_EQ(commandCaption(key(defaultRecord(0x47)), s, false, {}), menuName(0x47));
    }
}

TEST(Captions, PointsRectanglesAndTheUnitCountOf4B)
{
    EXPECT_EQ(created(code(0x4B) + num(3) + num(10) + num(12) + it(0x2B, 1) + it(0x26, 1)),
              QString("4B : 아군출현설정 3 (10,12) 동쪽 숨음"));
    // Variables show only inside a rectangle.
    EXPECT_EQ(created(code(0x26) + it(0x02, 65535) + num(16777216 + 5) + num(7) + num(9) + num(16777216)),
              QString("26 : 무장진입구역시험 無 ([Var5],7) - (9,[Var0])"));
    EXPECT_EQ(created(code(0x1F) + num(16777216) + num(3)), QString("1F : 지도시점변화 (16777216,3)"));
    EXPECT_EQ(created(code(0x0B) + num(-1) + it(0x27, 1)), QString("B : 변량설정 Var-1 True"));
    // Rectangle mode with a single number (no 0x04 item behind it) shows it plainly.
    EXPECT_EQ(created(code(0x5B) + num(16777216 + 2) + it(0x26, 1)),
              QString("5B : 전장주요구역 16777218 전투중"));
}

TEST(Captions, ModeTagsHideAndShowTheirItems)
{
    const QString zone = num(1) + num(2) + num(3) + num(4);
    // 0x31: person or zone.
    EXPECT_EQ(created(code(0x31) + it(0x2C, 0) + it(0x02, 65534) + zone + it(0x03, 2)),
              QString("31 : 무장소멸 CharIndex [Var0]"));
    EXPECT_EQ(created(code(0x31) + it(0x2C, 1) + it(0x02, 65534) + zone + it(0x03, 2)),
              QString("31 : 무장소멸 구역 (1,2) - (3,4) 적군"));
    // 0x4E: the AI policy decides which target shows.
    const QString head4E = code(0x4E) + it(0x2C, 0) + it(0x02, 65535) + zone + it(0x03, 6);
    EXPECT_EQ(created(head4E + it(0x07, 3) + it(0x02, 1024) + num(5) + num(6)),
              QString("4E : 무장방침변경 CharIndex 無 공격 무장 모든 인물"));
    EXPECT_EQ(created(head4E + it(0x07, 6) + it(0x02, 1024) + num(5) + num(6)),
              QString("4E : 무장방침변경 CharIndex 無 퇴각 지점 (5,6)"));
    EXPECT_EQ(created(head4E + it(0x07, 2) + it(0x02, 1024) + num(5) + num(6)),
              QString("4E : 무장방침변경 CharIndex 無 항상 제자리"));
    // A policy without a word shows its items as ordinary ones.
    EXPECT_EQ(created(head4E + it(0x07, 9) + it(0x02, 1024) + num(5) + num(6)),
              QString("4E : 무장방침변경 CharIndex 無  모든 인물 (5,6)"));
    // 0x27: the background kind picks one of four items.
    const QString bg = it(0x0C, 3) + it(0x1A, 0) + it(0x1C, 2) + it(0x15, 7);
    const CaptionSettings s{40, 50, 58, 9};
    const CaptionContext ctx{nullptr, &s};
    EXPECT_EQ(created(code(0x27) + it(0x2D, 0) + bg, ctx), QString("27 : 배경설정 외배경 MMAP-4"));
    EXPECT_EQ(created(code(0x27) + it(0x2D, 1) + bg, ctx), QString("27 : 배경설정 중국지도 중국지도"));
    EXPECT_EQ(created(code(0x27) + it(0x2D, 2) + bg, ctx), QString("27 : 배경설정 내배경 MMAP-43"));
    EXPECT_EQ(created(code(0x27) + it(0x2D, 3) + bg, ctx), QString("27 : 배경설정 전장지도 HM07"));
    EXPECT_EQ(created(code(0x27) + it(0x2D, 4) + bg, ctx), QString("27 : 배경설정  MMAP-4 중국지도 MMAP-43 HM07"));
    // 0x41 (stored number-first, shown comparison-first) with a zone.
    EXPECT_EQ(created(code(0x41) + it(0x03, 0) + num(5) + it(0x24, 1) + it(0x3F, 1) + zone),
              QString("41 : 맵인물수시험 아군 < 5 지정구역 (1,2) - (3,4)"));
    // 0x4D: person, field unit or zone.
    const QString tail4D = it(0x2F, 5) + it(0x18, 2) + it(0x30, 0x0A) + num(8) + num(9);
    EXPECT_EQ(created(code(0x4D) + it(0x41, 1) + it(0x02, 3) + num(12) + zone + it(0x03, 1) + tail4D),
              QString("4D : 무장상태변경 BFIndex 12 Speed 상승  걸림-마비+혼란 8 9"));
    EXPECT_EQ(created(code(0x4D) + it(0x41, 2) + it(0x02, 3) + num(12) + zone + it(0x03, 1) + tail4D),
              QString("4D : 무장상태변경 구역 (1,2) - (3,4) 우군 Speed 상승  걸림-마비+혼란 8 9"));
    // 0x32: field unit number instead of the person.
    EXPECT_EQ(created(code(0x32) + it(0x40, 1) + it(0x02, 3) + num(12) + num(1) + num(2) + it(0x2B, 3)),
              QString("32 : 무장이동 BFIndex 12 (1,2) 서쪽"));
}

TEST(Captions, FlagWordsChangeByCommandAndCount)
{
    const CaptionContext ctx;
    auto walk = [&](const QString &rec, const char16_t *t, const char16_t *f) {
        MenuKeyLoadArgs a;
        a.sTrue = t;
        a.sFalse = f;
        QString out;
        appendMenuKeyWords(out, key(rec), a, ctx);
        return out;
    };
    const QString r4F = code(0x4F) + it(0x02, 65535) + it(0x02, 65535) + it(0x2B, 0);
    EXPECT_EQ(walk(r4F + it(0x26, 1) + it(0x26, 1) + it(0x26, 1), u"정방향", u"x"),
              QString(" 無 無 북쪽 정방향 동작전지연 동작후지연"));
    EXPECT_EQ(walk(r4F + it(0x26, 0) + it(0x26, 0) + it(0x26, 0), u"x", u"반대방향"),
              QString(" 無 無 북쪽 반대방향 동작전지연無 동작후지연無"));
    const QString r73 = code(0x73) + it(0x02, 65535) + num(3) + it(0x24, 7);
    EXPECT_EQ(created(r73 + it(0x26, 1) + it(0x26, 1) + it(0x26, 1) + it(0x26, 1) + it(0x26, 1) + it(0x26, 1)),
              QString("73 : 인물능력치시험 無 3  무력 지력 통솔 민첩 행운 행운"));
    EXPECT_EQ(created(code(0x2C) + txt("hi") + it(0x26, 1) + it(0x26, 1) + it(0x26, 1)),
              QString("2C : 지도글자보기 hi 새로덮음X 줄바꿈 대기"));
    EXPECT_EQ(created(code(0x63) + it(0x26, 1) + txt("a") + it(0x26, 1)), QString("63 : 일기대사 아군무장 a 지연"));
}

TEST(Captions, TextsListsAndBlanks)
{
    EXPECT_EQ(created(code(0x14) + txt("AB\nC")), QString("14 : 대화 AB\\nC"));
    EXPECT_EQ(created(code(0x14) + txt("  two  blanks  ")), QString("14 : 대화   two  blanks  "));
    EXPECT_EQ(created(code(0x14) + txt("한글 대사")), QString("14 : 대화 한글 대사"));
    EXPECT_EQ(created(code(0x05) + list({}) + list({})), QString("5 : 변량시험 [無 ; 無]"));
    EXPECT_EQ(created(code(0x05) + list({1, 2}) + list({300})), QString("5 : 변량시험 [Var1 Var2 ; Var300]"));
    // A comparison value without a word keeps its blank: two blanks in a row.
    EXPECT_EQ(created(code(0x3F) + num(5) + it(0x24, 7)), QString("3F : 턴수시험  5"));
    // An unknown tag is a 2-byte item that shows nothing.
    EXPECT_EQ(created(code(0x09) + it(0x32, 9) + num(4)), QString("9 : 지연  4"));
}

TEST(Captions, ChildLengthWordIsNotAnItem)
{
    const QString rec = code(0x6E) + num(50);
    EXPECT_EQ(commandCaption(rec + "0200_9", CaptionSite::Creation, true, {}), QString("6E : 확률시험 50"));
    EXPECT_EQ(commandCaption(rec + "0200_9", CaptionSite::ReaderBody, true, {}), QString("6E : 확률시험 50"));
    const QString r3F = code(0x3F) + num(5) + it(0x24, 2);
    EXPECT_EQ(commandCaption(r3F + "0A00_9", CaptionSite::Creation, true, {}), QString("3F : 턴수시험 = 5"));
}

TEST(Captions, ValuesOutsideTheTablesShowTheirNumber)
{
    NameTables names;
    names.itemNames = QStringList{"검"};
    names.troopNames = QStringList{"보병", "기병", "궁병"};
    const CaptionContext ctx{&names, nullptr};
    EXPECT_EQ(created(code(0x58) + it(0x42, 0) + it(0x43, 0) + it(0x44, 30) + num(1) + num(2) + it(0x26, 1) +
                          it(0x26, 1),
                      ctx),
              QString("58 : 전장장애물설정 불 만듬 30 (1,2) 시점변화 지연無(소리X)"));
    EXPECT_EQ(created(code(0x56) + it(0x47, 5), ctx), QString("56 : 날씨유형설정 5"));
    EXPECT_EQ(created(code(0x77) + it(0x51, 2) + num(1) + it(0x53, 6) + it(0x52, 9) + num(2), ctx),
              QString("77 : 변량연산 정형변량 1 6 9 2"));
    EXPECT_EQ(created(code(0x78) + num(1) + it(0x54, 1) + it(0x02, 65535) + it(0x55, 42), ctx),
              QString("78 : 정형변량대입 1 ==> 無 42"));
    EXPECT_EQ(created(code(0x6F) + it(0x17, 120), ctx), QString("6F : 물품파기 120"));
    EXPECT_EQ(created(code(0x6F) + it(0x17, 0), ctx), QString("6F : 물품파기 검"));
    EXPECT_EQ(created(code(0x6F) + it(0x17, 50), ctx), QString("6F : 물품파기 50"));  // not loaded
    EXPECT_EQ(created(code(0x52) + it(0x02, 65535) + it(0x03, 1), ctx), QString("52 : 병종변경 無 기병"));
    EXPECT_EQ(created(code(0x52) + it(0x02, 65535) + it(0x03, 7), ctx), QString("52 : 병종변경 無 7"));
    const QString equip = code(0x3E) + it(0x02, 65535) + it(0x3B, 2) + it(0x49, 3) + it(0x3C, 120) + it(0x49, 1024 + 7) +
                          it(0x3D, 1);
    EXPECT_EQ(created(equip, ctx), QString("3E : 무장장비설정 無 검 Lv3 120 [Var7] 장비無"));
}

TEST(Captions, VariablePersonsInForcedAndBarredSlots)
{
    NameTables names;
    names.charNames = QStringList{"영", "일"};
    const CaptionContext ctx{&names, nullptr};
    QString rec = code(0x4A) + num(0);
    const int forced[] = {0, 1, 1028 + 3, 65534 - 5, 6000};
    const int barred[] = {0, 65534, 2000, 65535, 61439};
    for (int v : forced)
        rec += it(0x38, v);
    for (int v : barred)
        rec += it(0x39, v);
    EXPECT_EQ(created(rec, ctx), QString("4A : 아군강제출현설정 0 無 일 [Var3] [Var5] 無 영 [Var0] 無 無 [Var4095]"));
}

TEST(Captions, KeyChangeExchangesTwoStretches)
{
    EXPECT_EQ(KeyChange("ABCDEFGH", 2, 2, 6, 1), QString("AFDEBCGH"));
    EXPECT_EQ(KeyChange("ABCDEFGH", 1, 1, 2, 1), QString("BACDEFGH"));
    EXPECT_EQ(KeyChange("ABC", 2, 1, 5, 3), QString("ACB"));  // clipped, never past the text
    // The caption of 0x36 names the comparison before the number; the key is kept.
    const QString k = key(code(0x36) + it(0x02, 65535) + it(0x23, 10) + num(70) + it(0x24, 1));
    EXPECT_EQ(commandCaption(k, CaptionSite::Creation, false, {}), QString("36 : 무장능력시험 無 무력 < 70"));
    EXPECT_EQ(commandCaption(key(code(0x37) + it(0x28, 2) + num(9) + it(0x24, 3)), CaptionSite::ReaderBody, false, {}),
              QString("37 : 돈,SceIndex,야심시험 야심 ≠ 9"));
    EXPECT_EQ(created(code(0x3C) + it(0x02, 65535) + it(0x0E, 2) + it(0x3A, 1)), QString("3C : 무장가입시험 無 = 탈퇴"));
}

TEST(Captions, MenuKeyLoadGivesTheWordsAlone)
{
    MenuKeyLoadArgs a;
    EXPECT_EQ(menuName(0x14) + menuKeyLoad(key(code(0x14) + txt("hi")), a, {}), QString("14 : 대화 hi"));
    EXPECT_EQ(menuKeyLoad(key(code(0x14) + txt("hi")), a, {}), QString(" hi"));
    // The reader hands over the text's bytes it read from the file.
    const QByteArray fromFile("hi");
    a.strGetRead = true;
    a.fileText = &fromFile;
    EXPECT_EQ(menuKeyLoad(key(code(0x14) + txt("hi")), a, {}), QString(" hi"));
    // A key with no items gives nothing at all.
    EXPECT_EQ(menuKeyLoad("1C00_3", MenuKeyLoadArgs{}, {}), QString());
}

TEST(Captions, CutAndMalformedKeysNeverFail)
{
    EXPECT_EQ(created(code(0x14) + "050041"), QString("14 : 대화 A"));  // text without its 00
    EXPECT_EQ(created(code(0x1F) + num(4) + "0400"), QString("1F : 지도시점변화 4"));
    EXPECT_EQ(created(code(0x26) + it(0x02, 1) + num(1) + num(2) + "04000300"),
              QString("26 : 무장진입구역시험 1 1"));
    EXPECT_EQ(created(code(0x05) + "35000500010002"), QString("5 : 변량시험 [Var1"));
    EXPECT_EQ(created(code(0x08) + "2E"), QString("8 : 메뉴처리"));
    EXPECT_EQ(created("0B00XYZ0"), QString("B : 변량설정"));
    EXPECT_EQ(commandCaption("", CaptionSite::Creation, false, {}), QString());
    EXPECT_EQ(commandCaption("_", CaptionSite::Creation, true, {}), QString());
    // Every prefix of every default record (with a 2-character text) captions
    // without failing and never reads past its record.
    for (int c = 0; c < kCommandCount; ++c) {
        const QString rec = defaultRecord(c, "가");
        for (int len = 0; len <= rec.size(); len += (rec.size() > 400 ? 37 : 1)) {
            const QString k = rec.left(len) + "_1";
            for (CaptionSite s : {CaptionSite::ReaderHead, CaptionSite::ReaderBody, CaptionSite::Creation}) {
                commandCaption(k, s, false, {});
                commandCaption(k, s, true, {});
            }
        }
    }
}

TEST(Captions, RandomItemSequencesNeverFail)
{
    // Keys made of random known tags with random values, cut at random
    // places: every caption starts with the name and the walk ends.
    std::uint32_t seed = 12345;
    auto rnd = [&](std::uint32_t n) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % n;
    };
    const int tagsUsed[] = {0x02, 0x03, 0x04, 0x05, 0x07, 0x26, 0x2C, 0x2D, 0x30, 0x35, 0x3F, 0x40, 0x41,
                            0x44, 0x47, 0x4A, 0x4B, 0x52, 0x53, 0x55, 0x17, 0x3B, 0x38, 0x39, 0x99};
    NameTables names;
    names.charNames = QStringList{"a", "b"};
    const CaptionSettings settings{40, 50, 58, 9};
    const CaptionContext ctx{&names, &settings};
    for (int round = 0; round < 3000; ++round) {
        const int c = int(rnd(kCommandCount));
        QString rec = code(c);
        const int items = int(rnd(12));
        for (int i = 0; i < items; ++i) {
            const int tag = tagsUsed[rnd(std::size(tagsUsed))];
            const int v = rnd(4) == 0 ? int(rnd(65536)) : int(rnd(8));
            if (tag == 0x04)
                rec += num(rnd(3) == 0 ? 16777216 + std::int64_t(rnd(100)) : std::int64_t(rnd(50)) - 5);
            else if (tag == 0x05)
                rec += txt(rnd(2) ? "x\ny" : "");
            else if (tag == 0x35)
                rec += rnd(2) ? list({}) : list({int(rnd(9)), int(rnd(9))});
            else
                rec += it(tag, v);
        }
        if (rnd(3) == 0)
            rec.truncate(int(rnd(std::uint32_t(rec.size()) + 1)));
        const QString k = rec + "_1";
        const bool child = rnd(2);
        const QString cap = commandCaption(k, CaptionSite::ReaderBody, child, ctx);
        if (rec.size() >= 4) {
            EXPECT_TRUE(cap.startsWith(menuName(c))) << qPrintable(k);
        }
    }
}

// The words of one item, as the caption shows them: found through the
// exchange of stretches, with the flag words of the command and the troop
// names of 0x52; an item the caption passes over, or a command whose caption
// is its name alone, gets the words of its tag.
TEST(Captions, WordsOfOneItemAreTheCaptionsWordsForIt)
{
    NameTables names;
    names.troopNames = {QStringLiteral("보병"), QStringLiteral("궁병")};
    const CaptionSettings settings{40, 50, 58, 9};
    const CaptionContext ctx{&names, &settings};
    struct Row
    {
        QString record;
        int pos;
        const char16_t *words;
    };
    const Row rows[] = {
        {code(0x21) + it(0x10, 5), 9, u"방화"},
        {code(0x40) + it(0x48, 3), 9, u"적군차례"},
        // The second flag of 0x65 has the command's own words.
        {code(0x65) + it(0x26, 1) + it(0x4D, 9) + it(0x26, 0), 25, u"보통공격"},
        {code(0x65) + it(0x26, 1) + it(0x4D, 9) + it(0x26, 0), 17, u"회피"},
        // 0x3C shows its equality before the kind of joining.
        {code(0x3C) + it(0x02, 0xFFFF) + it(0x0E, 7) + it(0x3A, 0), 17, u"탈퇴"},
        {code(0x3C) + it(0x02, 0xFFFF) + it(0x0E, 7) + it(0x3A, 0), 25, u"≠"},
        {code(0x52) + it(0x02, 0xFFFF) + it(0x03, 1), 17, u"궁병"},
        // Passed over: the zone's side when the target is a person.
        {code(0x31) + it(0x2C, 0) + it(0x02, 0xFFFF) + num(0) + num(0) + num(0) + num(0) + it(0x03, 9), 73,
         u"모든부대"},
        // No words: a value past a word list, a tag without words.
        {code(0x36) + it(0x02, 0) + it(0x23, 40), 17, u""},
        {code(0x45) + it(0x3E, 3), 9, u"+ Lv 3"},
        {code(0x45) + it(0x45, 3), 9, u""},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.record.toStdString() + " at " + std::to_string(r.pos));
        EXPECT_EQ(captionWordsAt(key(r.record), r.pos, false, ctx), QString::fromUtf16(r.words));
    }
    // A position outside the record, or on the nested-length word, has none.
    EXPECT_EQ(captionWordsAt(key(code(0x21) + it(0x10, 5)), 13, false, ctx), QString());
    EXPECT_EQ(captionWordsAt(key(code(0x21) + it(0x10, 5) + "0200"), 13, true, ctx), QString());
}
