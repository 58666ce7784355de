#pragma once
// Parameter items and the encodings of their values. Every parameter of a
// command is a u16 tag followed by its value; the tag fixes the value's width
// and meaning. This header is the vocabulary that the reader, the caption
// builder and the command dialogs share: tag widths, the word lists, the
// encodings of persons, sides, directions, AI policies, flags and variable
// references, and the words a caption shows for a value.
#include "core/captions.h"
#include "core/name_tables.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>
#include <span>

namespace core {

namespace tags {
constexpr int Person = 0x02;
constexpr int ArmySide = 0x03;        // a troop type in command 0x52
constexpr int Number = 0x04;          // the only 4-byte value
constexpr int Text = 0x05;            // CP949 text ended by 00
constexpr int AIPolicy = 0x07;
constexpr int Track = 0x09;
constexpr int OuterBackground = 0x0C;
constexpr int Pose = 0x0D;
constexpr int JoinKind = 0x0E;
constexpr int Fire = 0x10;
constexpr int Ending = 0x12;
constexpr int MapModel = 0x13;
constexpr int BattleMap = 0x15;
constexpr int Item = 0x17;
constexpr int UpDown = 0x18;
constexpr int WholeMap = 0x1A;
constexpr int Movie = 0x1B;
constexpr int InnerBackground = 0x1C;
constexpr int Sound = 0x1E;
constexpr int WeatherPattern = 0x22;
constexpr int Ability = 0x23;
constexpr int Comparison = 0x24;
constexpr int Flag = 0x26;
constexpr int TrueFalse = 0x27;
constexpr int Resource = 0x28;
constexpr int Direction = 0x2B;
constexpr int TargetMode = 0x2C;
constexpr int BackgroundKind = 0x2D;
constexpr int TrueFalse2 = 0x2E;
constexpr int BattleStat = 0x2F;
constexpr int StatusBits = 0x30;
constexpr int PersonValueKind = 0x32;
constexpr int SetAddSub = 0x34;
constexpr int VariableList = 0x35;    // u16 count, then count u16 values
constexpr int FreeAction = 0x36;
constexpr int ScenarioFile = 0x37;
constexpr int ForcedPerson = 0x38;
constexpr int BarredPerson = 0x39;
constexpr int Equality = 0x3A;
constexpr int Weapon = 0x3B;
constexpr int Armour = 0x3C;
constexpr int Assist = 0x3D;
constexpr int LevelChange = 0x3E;
constexpr int Area = 0x3F;
constexpr int PersonOrUnit = 0x40;
constexpr int PersonUnitOrZone = 0x41;
constexpr int Obstacle = 0x42;
constexpr int CreateRemove = 0x43;
constexpr int Terrain = 0x44;
constexpr int TroopClassLimit = 0x45;
constexpr int FieldAction = 0x46;
constexpr int WeatherKind = 0x47;
constexpr int Turn = 0x48;
constexpr int ItemLevel = 0x49;
constexpr int FaceSet = 0x4A;
constexpr int Magic = 0x4B;
constexpr int DuelAction = 0x4C;
constexpr int DuelResult = 0x4D;
constexpr int DuelAttackKind = 0x4E;
constexpr int DuelBackground = 0x4F;
constexpr int SpecialModel = 0x50;
constexpr int LeftVariableKind = 0x51;
constexpr int OperandKind = 0x52;
constexpr int Operator = 0x53;
constexpr int CopyDirection = 0x54;
constexpr int PersonAttribute = 0x55;
constexpr int VariableComparison = 0x56;
} // namespace tags

// --- widths ----------------------------------------------------------------

// Byte width of a tag's value: 4 for tag 0x04, 2 for every other fixed tag
// (known or not), 0 for the two variable-length tags (text 0x05, list 0x35).
int tagValueWidth(int tag);
inline bool isTextTag(int tag) { return tag == tags::Text; }
inline bool isListTag(int tag) { return tag == tags::VariableList; }

// Byte length of the whole item (tag included) starting at `offset` of a
// record; nullopt when the item runs past the end (an unterminated text, a
// list longer than the bytes, a cut value).
std::optional<int> itemByteLength(QByteArrayView record, int offset);

// One row of the tag vocabulary: its width and what it stands for.
struct TagInfo {
    int tag;
    int width;              // as tagValueWidth
    const char *meaning;    // plain English, for tooling and messages
    bool captioned;         // false: a caption shows nothing for the value
};
// Every tag that a command uses, captioned or not, in tag order.
std::span<const TagInfo> tagTable();
// The row of a tag; nullptr for a tag no command uses.
const TagInfo *tagInfo(int tag);

// --- encodings -------------------------------------------------------------

// PersonRef (tag 0x02): 0..1023 a person of the game, 1024..1027 the group
// selectors, 65534 - k the person held in variable k (k = 0..4095), 65535 none.
constexpr int kPersonCount = 1024;
constexpr int kGroupAll = 1024;          // "모든 인물"
constexpr int kGroupOwnOrAllied = 1025;  // "아군or우군"
constexpr int kGroupEnemy = 1026;        // "적군"
constexpr int kGroupFacingOwn = 1027;    // "아군직면인물"
constexpr int kNoPerson = 65535;
constexpr int kVariableCount = 4096;
constexpr int kVariablePersonBase = 65534;
constexpr int kFirstVariablePerson = kVariablePersonBase - (kVariableCount - 1);  // 61439
constexpr int variablePersonValue(int k) { return kVariablePersonBase - k; }
constexpr bool isVariablePerson(int v) { return v >= kFirstVariablePerson && v <= kVariablePersonBase; }
constexpr int personVariableIndex(int v) { return kVariablePersonBase - v; }
constexpr bool isGroupPerson(int v) { return v >= kGroupAll && v <= kGroupFacingOwn; }
// Index into the person-name table (0..5123): v itself below 1028, the
// variable entry 1028 + k otherwise.
constexpr int personNameEntry(int v) { return v < 1028 ? v : 66562 - v; }

// Item level (tag 0x49): 0 and 65535 default, 1..1023 a level, 1024 + k the
// level held in variable k.
constexpr int kItemLevelVariableBase = 1024;
constexpr int itemLevelVariableValue(int k) { return kItemLevelVariableBase + k; }

// A rectangle coordinate (tag 0x04 inside a rectangle): 16,777,216 + k is the
// value of variable k.
constexpr std::int64_t kRectVariableBase = 16777216;
constexpr std::int64_t rectVariableValue(int k) { return kRectVariableBase + k; }

enum class ArmySide : int {
    Own = 0, Allied = 1, Enemy = 2, Reinforcements = 3, OwnAndAllied = 4, EnemyAndReinforcements = 5, All = 6
};
enum class Direction : int { North = 0, East = 1, South = 2, West = 3, Default = 65535 };
enum class AIPolicy : int {
    SortieWhenApproached = 0, Sortie = 1, HoldPosition = 2, AttackPerson = 3, MoveToPoint = 4,
    FollowPerson = 5, RetreatToPoint = 6
};
// Which target an AI policy uses (the person and cell items after it).
enum class AITarget { None, Person, Cell };
AITarget aiPolicyTarget(int policy);
// Flags (tags 0x26, 0x27, 0x2E): only 1 is set.
constexpr bool flagIsSet(int v) { return v == 1; }

// --- word lists ------------------------------------------------------------

std::span<const QStringView> poseWords();              // 0x0D, 18
std::span<const QStringView> weatherPatternWords();    // 0x22, 6
std::span<const QStringView> abilityWords();           // 0x23, 16
std::span<const QStringView> terrainWords();           // 0x44, 30
std::span<const QStringView> fieldActionWords();       // 0x46, 1..12 at 0..11
std::span<const QStringView> duelActionWords();        // 0x4C, 1..15 at 0..14
std::span<const QStringView> personAttributeWords();   // 0x55, 42
std::span<const QStringView> weatherNames();           // 0x47, 5
std::span<const QStringView> armySideWords();          // 0x03, 0..6
std::span<const QStringView> directionWords();         // 0x2B, 0..3
std::span<const QStringView> aiPolicyWords();          // 0x07, 0..6
std::span<const QStringView> operandKindWords();       // 0x52, 6
std::span<const QStringView> operatorWords();          // 0x53, 6
std::span<const QStringView> groupPersonWords();       // 1024..1027

// --- value captions --------------------------------------------------------

struct ValueWordsContext {
    const NameTables *names = nullptr;          // may be null
    const CaptionSettings *settings = nullptr;  // may be null: all zero
    bool army = false;                          // tag 0x03 holds a troop type
};

// Appends the caption words of the 2-byte value v (0..65535) of a tag. Tags
// without words append nothing. A value outside a word list or name table
// appends the number in decimal instead of failing. The flag tag 0x26 and
// the walk effects of the mode tags belong to the caption walk; here they
// give only their words.
void appendValueWords(QString &out, int tag, int v, const ValueWordsContext &ctx);
QString valueWords(int tag, int v, const ValueWordsContext &ctx);

// Pieces the dialogs may show too.
QString personCaption(int v, const NameTables *names);
QString itemLevelCaption(int v);
QString statusBitsCaption(int v);
QString levelChangeCaption(int v, int charLvMax);
QString magicCaption(int v, int mEffMax, int mCallMax);
QString faceSetCaption(int v);
// "[Var" k "]" for a coordinate of 16,777,216 or more, else the decimal.
QString rectCoordinateCaption(std::int64_t v);

// Decimal text appended without a temporary string.
void appendDecimal(QString &out, std::int64_t v);

} // namespace core
