// Every text dialog opened on a stored command: its window, its controls
// with their captions and labels, its colour buttons and its preview menu.
#include "commands/common/dialog_controls_support.h"

using namespace controlstest;

namespace {


const std::vector<Control> kColorToolbar = {
    {"Toolbar1"}, {"Black", "Black"}, {"Red", "Red"}, {"Orange", "Orange"}, {"Yellow", "Yellow"}, {"Green", "Green"},
    {"Blue", "Blue"}, {"Purple", "Purple"}, {"Gray", "Gray"}, {"Gal", "Gal"}, {"Pink", "Pink"},
};
const Control kPreview = {"mnuview", "미리보기 (&V)"};

DialogCase sharedText(int code)
{
    return {stored(code), "FrmString", QStringLiteral("수정 - ") + core::menuName(code),
            with({{"Label1", "글자"}, {"tString", "글자"}, kPreview}, kColorToolbar)};
}

const std::vector<DialogCase> &cases()
{
    static const std::vector<DialogCase> c = {
        sharedText(0x02), sharedText(0x14), sharedText(0x16), sharedText(0x17), sharedText(0x18), sharedText(0x19),
        sharedText(0x1A), sharedText(0x69),
        {stored(0x12), "FrmSelect12", u8("수정 - 12 : 선택문"),
         with(with({{"Label1", "선택문   1."},
                    {"Label3", " 2."},
                    {"Label4", " 3."},
                    {"tString"},
                    {"Label2", "인물"},
                    {"cbChar", "인물"},
                    {"tName"},
                    {"tNum"},
                    kPreview},
                   kPickerModes),
              kColorToolbar)},
        {stored(0x13), "FrmCase13", u8("수정 - 13 : Case"), {{"Label1", "Case"}, {"tNum", "Case"}}},
        {stored(0x15), "FrmTalk15", u8("수정 - 15 : 대화2"),
         with(with({{"Label3_0", "인물"},
                    {"cbChar0"},
                    {"tName0"},
                    {"tNum0"},
                    {"Label3_1", "위의 인물이 존재 안할 때 인물"},
                    {"cbChar1"},
                    {"tName1"},
                    {"tNum1"},
                    {"Label2", "글자"},
                    {"tString"},
                    kPreview},
                   kPickerModes),
              kColorToolbar)},
        {stored(0x1B), "FrmDieSaid1B", u8("수정 - 1B : 고유퇴각대사보기설정"),
         with({{"Label3", "인물"}, {"cbChar", "인물"}, {"tNum"}, {"tName"}, {"Label2", "TF"}, {"cbTF", "TF"}},
              kPickerModes)},
        {stored(0x2C), "FrmMapWordShow2C", u8("수정 - 2C : 지도글자보기"),
         {{"Label2", "글자"}, {"tString"}, {"ckNew", "새로 덮음X"}, {"ckLine", "줄바꿈"}, {"ckDelay", "대기"}}},
    };
    return c;
}

class TextDialogControls : public testing::TestWithParam<std::size_t>
{};

TEST_P(TextDialogControls, NamesAndCaptions)
{
    checkDialog(cases()[GetParam()]);
}

INSTANTIATE_TEST_SUITE_P(Text, TextDialogControls, testing::Range<std::size_t>(0, cases().size()),
                         [](const testing::TestParamInfo<std::size_t> &i) {
                             return QStringLiteral("%1_%2")
                                 .arg(QLatin1String(cases()[i.param].form))
                                 .arg(cases()[i.param].record.left(2))
                                 .toStdString();
                         });

} // namespace
