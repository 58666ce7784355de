// The small story-flow commands whose dialogs are one or two fields: the
// yes/no query test, menu handling, a delay, the ending kind, the jump to
// another scenario file, the probability test and the discarding of an item.
// The variable assignment 0x0B has a bound of its own (variable_set_dialog).
#include "commands/flow/flow_dialogs.h"
#include "commands/flow/sentence_dialog.h"
#include "core/param_tags.h"

#include <QString>

#include <array>

namespace commands {

namespace {

constexpr QStringView kFalseTrue[] = {u"False", u"True"};
constexpr QStringView kEndings[] = {u"사실", u"중간", u"가상"};

// S_00, then R_nn and S_nn in turn for nn = 01..57, then R_58.
constexpr int kScenarioFiles = 116;
const std::array<QString, kScenarioFiles> &scenarioFileTexts()
{
    static const std::array<QString, kScenarioFiles> texts = [] {
        std::array<QString, kScenarioFiles> t;
        t[0] = QStringLiteral("S_00");
        for (int n = 1; n <= 57; ++n) {
            const QString nn = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
            t[std::size_t(2 * n - 1)] = QStringLiteral("R_") + nn;
            t[std::size_t(2 * n)] = QStringLiteral("S_") + nn;
        }
        t[115] = QStringLiteral("R_58");
        return t;
    }();
    return texts;
}

const std::array<QStringView, kScenarioFiles> kScenarioFileWords = [] {
    std::array<QStringView, kScenarioFiles> w;
    for (std::size_t i = 0; i < w.size(); ++i)
        w[i] = scenarioFileTexts()[i];
    return w;
}();

// A yes/no query; the caption builder words the flag "예" / "아니오".
const FieldSpec kCheck4[] = {
    checkField(9, "ckYN", u"예"),
};
// Any nonzero menu flag is "True".
const FieldSpec kMenu8[] = {
    listField(9, "cbTF", u"TF", fixedList(kFalseTrue, 1)),
};
const FieldSpec kDelay9[] = {
    numberField(9, "tNum", u"숫자 (1당 0.1 초 지연)"),
};
// An ending beyond the three opens on "사실".
const FieldSpec kFinishF[] = {
    listField(9, "cbFinish", u"결말", fixedList(kEndings, 0)),
};
// A file number beyond the list opens on "S_00".
const FieldSpec kEexMove11[] = {
    listField(9, "cbEEX", u"극본", fixedList(kScenarioFileWords, 0)),
};
const FieldSpec kPercent6E[] = {
    numberField(9, "tNum", u"확률", NumberKind::Percent),
};
// The 116 items by name; a stored code none of them stands for (0xFFFF of
// a new command among them) shows as its number and is kept.
const FieldSpec kDesertItem6F[] = {
    listField(9, "cbItem", u"물품", sourceList(ListSource::ItemOnly, Unlisted::Keep, core::tags::Item)),
};

const DialogDescription kDialogs[] = {
    {.code = 0x04, .formName = "FrmCheck4", .title = u"수정 - 4 : 문의설정", .fields = kCheck4},
    {.code = 0x08, .formName = "FrmMenu8", .title = u"수정 - 8 : 메뉴처리", .fields = kMenu8},
    {.code = 0x09, .formName = "FrmDelay9", .title = u"수정 - 9 : 지연", .fields = kDelay9},
    {.code = 0x0F, .formName = "FrmFinishF", .title = u"수정 - F : 결말설정", .fields = kFinishF},
    {.code = 0x11, .formName = "FrmEEXMove11", .title = u"수정 - 11 : 극본이동", .fields = kEexMove11},
    {.code = 0x6E, .formName = "FrmPercent6E", .title = u"수정 - 6E : 확률시험", .fields = kPercent6E},
    {.code = 0x6F, .formName = "FrmDesertItem6F", .title = u"수정 - 6F : 도구소멸", .fields = kDesertItem6F},
};

// The names the windows give their labels, by dialog.
constexpr LabelName kLabel1[] = {{0, "Label1"}};
constexpr LabelName kLabel2[] = {{0, "Label2"}};
constexpr LabelName kLabel3[] = {{0, "Label3"}};
constexpr FieldLayout kLayouts[] = {
    {},
    {.labels = kLabel1},
    {.labels = kLabel1},
    {.labels = kLabel1},
    {.labels = kLabel1},
    {.labels = kLabel2},
    {.labels = kLabel3},
};
static_assert(std::size(kLayouts) == std::size(kDialogs));

} // namespace

void registerSimpleFlowDialogs(workspace::DialogRegistry &registry)
{
    for (std::size_t i = 0; i < std::size(kDialogs); ++i)
        registerSentenceDialog(registry, kDialogs[i], kLayouts[i]);
}

} // namespace commands
