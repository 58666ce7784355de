// Command 0x6B "법술": a magic effect at a cell of the battle map. The list
// holds the effect files, then the call files (counts from the settings),
// then "나타냄"; effects are stored as their index, calls as 100 + their
// number and "나타냄" as 100 + the number of call files.
#include "commands/battlefield/battlefield_dialogs.h"
#include "commands/common/dialog_engine.h"

#include <algorithm>

namespace commands {

namespace {

// Effects must stay below the calls' 100, calls below 200.
constexpr SettingCount kMEffMax{"MEffMax", 58, 0, 100};
constexpr SettingCount kMCallMax{"MCallMax", 9, 0, 99};
constexpr int kCallBase = 100;
constexpr int kOutOfRange = 200;

BuiltList magic(const workspace::EditContext &ctx)
{
    const int effects = readSettingCount(ctx, kMEffMax);
    const int calls = readSettingCount(ctx, kMCallMax);
    BuiltList l;
    for (int i = 0; i < effects; ++i) {
        l.texts << QStringLiteral("MEFF-%1").arg(i + 1);
        l.values.push_back(i);
    }
    for (int j = 0; j < calls; ++j) {
        l.texts << QStringLiteral("MCALL%1.E5").arg(j, 2, 10, QLatin1Char('0'));
        l.values.push_back(kCallBase + j);
    }
    l.texts << QStringLiteral("나타냄");
    l.values.push_back(kCallBase + calls);
    return l;
}

// A stored value outside the three ranges goes to the nearest item of its
// range.
int selectMagic(int c, const BuiltList &items)
{
    const int last = items.size() - 1;
    const int calls = items.values.back() - kCallBase;
    const int effects = last - calls;
    const int lastEffect = std::max(effects - 1, 0);
    const int lastCall = std::max(effects + calls - 1, 0);
    if (c > kOutOfRange)
        return 0;
    if (c >= effects && c < kCallBase)
        return lastEffect;
    if (c > kCallBase + calls && c < kOutOfRange)
        return lastCall;
    if (c >= kCallBase)
        return c == kOutOfRange ? lastCall : c - kCallBase + effects;  // 200 has no item of its own
    return c;
}

const FieldSpec kFields[] = {
    labelNamed(listField(33, "cbMagic", u"법술", {}), "Label3"),
    labelNamed(coordinateField(9, "tX", NumberKind::Coordinate), "Label2"),
    coordinateField(21, "tY", NumberKind::Coordinate),
    checkField(41, "ckViewPoint", u"시점 변화"),
};

const MapButtonRow kMaps[] = {{}};
const CustomListSpec kLists[] = {{"cbMagic", magic, selectMagic}};

const DialogDescription kFrmMagic6B{
    .code = 0x6B,
    .formName = "FrmMagic6B",
    .title = u"수정 - 6B : 법술",
    .fields = kFields,
    .maps = kMaps,
    .customLists = kLists,
    .numbers = NumberSave::WholeNumberOnly,
    .checks = CheckPlace::FieldColumn,
};

} // namespace

void registerFrmMagic6b(workspace::DialogRegistry &registry)
{
    registerEngineDialog(registry, kFrmMagic6B);
}

} // namespace commands
