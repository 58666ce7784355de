#pragma once
// The description of one command dialog that the dialog engine builds, loads
// and saves: its window, its fields at fixed places in the key, the kind of
// control each field gets and the rules of its values. A command whose
// dialog is only such fields needs a description and a registration, no
// class of its own.
//
// The caption arguments (flag words, point grouping, the exchange of the
// comparison before its number) are not repeated here: the caption builder
// keeps them per command code, and the engine only says whether the caption
// is rebuilt at all.
#include "commands/common/map_button.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <span>

namespace workspace {
struct EditContext;
struct ProgramServices;
}

namespace commands {

struct BuiltList;

enum class FieldKind {
    Person,     // a PersonRef, shown in the character picker
    Number,     // a number box
    List,       // a drop-down list
    Check,      // a check box, a flag
    OptionPair, // two option buttons, a choice of two
};

// The limit a number box puts on what the user types or a picker writes.
// A loaded value is shown as stored, whatever the limit.
enum class NumberKind {
    Plain,            // 16,777,215
    Coordinate,       // a battle cell: 40
    BattlefieldIndex, // 40
    Percent,          // 100
    Unclamped,        // no limit of its own
    SignedText,       // any text; a whole number is written (pulled into the signed 32-bit range), else the stored value stays
};

// Where the items of a list come from.
enum class ListSource {
    Fixed,        // the words of the description, item index = value
    LevelChange,  // "+ Lv " 0..N, "- Lv " 1..N; N = CharLvMax
    ItemLevel,    // "DefLv", "Lv" 1..M; M = ItemLvMax
    MapModel,     // "평조번호-" 2j+1 for j < PMapObjMax
    ObstacleKind, // "불" "배" "불타는배" "미지", then "Gate-" 2j+1 up to GateMax
    Item,         // the item names by item code, then "無" (0xFFFF)
    ItemOnly,     // the item names by item code, no "無"
    Weapon,       // "묵인장비" (0), "장비無" (1), then the weapons as 2 + item code
    Defence,
    Assist,
};

// What a list offers for a value none of its items stands for. A stored
// value always loads as a placeholder that keeps it (see selectStored);
// this only matters where a list's own rule is asked (loadedIndex).
enum class Unlisted {
    FallbackItem, // the item `fallbackItem` (negative: counted from the end)
    Keep,         // no item of its own
};

// How a flag or a choice of two loads a stored value above 1.
enum class FlagLoad {
    AboveOneIsClear, // the usual rule
    NonzeroIsSet,
};

// Whether a stored flag loads as set.
constexpr bool loadedFlag(FlagLoad rule, int stored)
{
    return rule == FlagLoad::NonzeroIsSet ? stored != 0 : stored == 1;
}

struct ListSpec {
    ListSource source = ListSource::Fixed;
    std::span<const QStringView> words = {};   // Fixed: the items
    // Fixed: one more item after the words that stands for 0xFFFF ("無").
    const char16_t *noneItem = nullptr;
    Unlisted unlisted = Unlisted::FallbackItem;
    int fallbackItem = 0;
    // The tag whose caption word names a kept value.
    int captionTag = 0;
};

// What a person field asks of the picker.
struct PickerOptions {
    bool pair = false;              // two persons, one set of mode options
    bool switchMovesFocus = true;   // a mode switch gives its box the focus
    bool focusSelectsMode = false;  // focus on tNum/tName selects oNum/oName
};

// Where a field sits in the dialog.
enum class FieldPlace {
    OwnRow,      // a row of its own, its label beside it
    Coordinate,  // a box of the coordinate row "좌표 : ( x , y )": the fields of
                 // one point in key order, two points as "( x , y ) - ( x , y )";
                 // a label of the row's first box replaces "좌표 : ("
};

struct FieldSpec {
    FieldKind kind = FieldKind::Number;
    FieldPlace place = FieldPlace::OwnRow;
    int pos = 9;                  // 1-based character position of the value
    const char *name = "";        // objectName of the control
    const char16_t *label = u"";  // the text beside it (a check box's own text; none when empty)
    // objectName of the label (of the coordinate row's label for its first
    // box); by default "lbl" and the control's name.
    const char *labelName = nullptr;
    int width = 2;                // bytes: 2, or 4 for numbers of tag 0x04
    NumberKind number = NumberKind::Plain;
    ListSpec list = {};
    FlagLoad flag = FlagLoad::AboveOneIsClear;
    // Person: the picker element (0, or 1 in the pair form).
    int element = 0;
    // OptionPair: the objectNames and texts of the two buttons (value 0, 1).
    const char *option0 = "";
    const char16_t *text0 = u"";
    const char *option1 = "";
    const char16_t *text1 = u"";
};

enum class CaptionRule { Rebuild, Keep };

// The unit target block of the battlefield commands (see UnitTargetBlock):
// the units a command acts on, named by a person, a battlefield index or a
// zone, with option buttons for the mode. It stands above the fields.
enum class TargetForm { None, PersonBfZone, PersonZone, PersonBf };

struct TargetBlockSpec {
    TargetForm form = TargetForm::None;
    const char16_t *frameCaption = u"";
    // The zone panel's map button.
    const char *zoneMapName = "cMap1";
    // The picker's mode options sit in the person panel (else above the
    // panels, where they stay visible in every mode).
    bool modesInPersonPanel = true;
    // objectNames of the panels' labels: the person's "인물", the
    // battlefield index's "BFIndex", the corners' "좌표 : (" and the side's
    // "전투측".
    const char *personLabel = "Label1";
    const char *indexLabel = "Label4";
    const char *cornersLabel = "Label3";
    const char *sideLabel = "Label2";
};

// A list whose items the dialog builds itself (from settings or name
// tables), with its own rule for the item a stored value selects.
struct CustomListSpec {
    const char *name = "";  // the objectName of the list field it fills
    BuiltList (*build)(const workspace::ProgramServices &services) = nullptr;
    // The item a stored value selects; negative when there is none.
    int (*select)(int stored, const BuiltList &items) = nullptr;
    // The text of the item that shows a stored value no item stands for
    // (null: the caption's word or the number) and keeps it.
    QString (*unlistedText)(int stored, const workspace::ProgramServices &services) = nullptr;
};

// How OK writes a number box.
enum class NumberSave {
    BoxValue,        // the number the box reads (empty text: 0)
    WholeNumberOnly, // only a whole number the field can hold; else the stored value stays
};

// Where a check box of its own row stands.
enum class CheckPlace {
    WholeRow,     // across the label and the field column
    FieldColumn,  // in the field column, under the other fields
};

// A titled frame around some of the fields, which are laid out inside it
// as in the dialog; the frame stands where its first field would. Showing
// or hiding one of its fields shows or hides the frame.
struct FrameSpec {
    const char *name = "";          // objectName of the frame
    const char16_t *caption = u"";
    std::span<const int> fields;    // indices into the description's fields
    bool pickerModes = false;       // the picker's mode options sit at its top
};

struct DialogDescription {
    int code = 0;
    const char *formName = "";   // objectName of the window ("FrmCharLvAdd39")
    const char16_t *title = u""; // the window title exactly as the dialog shows it
    TargetBlockSpec target = {};  // none by default
    std::span<const FieldSpec> fields = {};
    // Battle-map buttons, each at the end of the coordinate row of its last
    // box (else in a row of its own below the fields).
    std::span<const MapButtonRow> maps = {};
    // Lists filled by the dialog itself, matched to list fields by name.
    std::span<const CustomListSpec> customLists = {};
    PickerOptions picker = {};
    CaptionRule caption = CaptionRule::Rebuild;
    std::span<const FrameSpec> frames = {};
    // The picker's start mode applies only while the target block's person
    // mode is chosen.
    bool startModeOnlyForPerson = false;
    // The one person's controls carry the index 0 in their names, as the
    // first person of the pair form does ("cbChar0").
    bool indexedPerson = false;
    NumberSave numbers = NumberSave::BoxValue;
    CheckPlace checks = CheckPlace::WholeRow;
};

// --- row helpers, so a description reads as a table ------------------------

constexpr FieldSpec personField(int pos, const char16_t *label = u"인물", int element = 0)
{
    FieldSpec f;
    f.kind = FieldKind::Person;
    f.pos = pos;
    f.name = element == 0 ? "cbChar" : "cbChar1";
    f.label = label;
    f.element = element;
    return f;
}

constexpr FieldSpec numberField(int pos, const char *name, const char16_t *label,
                                NumberKind kind = NumberKind::Plain, int width = 4)
{
    FieldSpec f;
    f.kind = FieldKind::Number;
    f.pos = pos;
    f.name = name;
    f.label = label;
    f.number = kind;
    f.width = width;
    return f;
}

// One box of the coordinate row (4-byte numbers, no label of its own).
constexpr FieldSpec coordinateField(int pos, const char *name, NumberKind kind = NumberKind::Plain)
{
    FieldSpec f = numberField(pos, name, u"", kind);
    f.place = FieldPlace::Coordinate;
    return f;
}

// The field with its label under another objectName.
constexpr FieldSpec labelNamed(FieldSpec f, const char *labelName)
{
    f.labelName = labelName;
    return f;
}

constexpr FieldSpec listField(int pos, const char *name, const char16_t *label, ListSpec list)
{
    FieldSpec f;
    f.kind = FieldKind::List;
    f.pos = pos;
    f.name = name;
    f.label = label;
    f.list = list;
    return f;
}

constexpr FieldSpec checkField(int pos, const char *name, const char16_t *text,
                               FlagLoad load = FlagLoad::AboveOneIsClear)
{
    FieldSpec f;
    f.kind = FieldKind::Check;
    f.pos = pos;
    f.name = name;
    f.label = text;
    f.flag = load;
    return f;
}

constexpr FieldSpec optionPairField(int pos, const char16_t *label, const char *name0, const char16_t *text0,
                                    const char *name1, const char16_t *text1)
{
    FieldSpec f;
    f.kind = FieldKind::OptionPair;
    f.pos = pos;
    f.name = name0;
    f.label = label;
    f.option0 = name0;
    f.text0 = text0;
    f.option1 = name1;
    f.text1 = text1;
    return f;
}

constexpr ListSpec fixedList(std::span<const QStringView> words, int fallbackItem = 0)
{
    ListSpec l;
    l.words = words;
    l.fallbackItem = fallbackItem;
    return l;
}

// A fixed list with a last item for 0xFFFF, which every value beyond the
// words also loads as.
constexpr ListSpec fixedListWithNone(std::span<const QStringView> words, const char16_t *noneItem)
{
    ListSpec l;
    l.words = words;
    l.noneItem = noneItem;
    l.fallbackItem = -1;
    return l;
}

constexpr ListSpec sourceList(ListSource source, Unlisted unlisted = Unlisted::FallbackItem, int captionTag = 0)
{
    ListSpec l;
    l.source = source;
    l.unlisted = unlisted;
    l.captionTag = captionTag;
    return l;
}

} // namespace commands
