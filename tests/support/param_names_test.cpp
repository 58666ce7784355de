// Joins every test program: its parameterised cases are named after their
// rows and print as words, so a listing or a failure says which row it is.
#include "support/param_names.h"

#include <cctype>

namespace {

bool allDigits(const std::string &s)
{
    if (s.empty())
        return false;
    for (const char ch : s)
        if (!std::isdigit(static_cast<unsigned char>(ch)))
            return false;
    return true;
}

} // namespace

TEST(ParamNames, CaseNamesKeepLettersAndDigitsOnly)
{
    EXPECT_EQ(testsupport::caseName("5B zone during the battle"), "5B_zone_during_the_battle");
    EXPECT_EQ(testsupport::caseName("  67 a line-break, added. "), "67_a_line_break_added");
    EXPECT_EQ(testsupport::caseName("FrmCharLvAdd39"), "FrmCharLvAdd39");
    EXPECT_EQ(testsupport::caseName("a__b"), "a_b");
    EXPECT_EQ(testsupport::caseName("72 \xEC\xA0\x95\xEB\xB3\xB4 text"), "72_text");
    EXPECT_EQ(testsupport::caseName(""), "Unnamed");
    EXPECT_EQ(testsupport::caseName("\xEC\xA0\x95"), "Unnamed");
}

TEST(ParamNames, EveryParameterisedCaseIsNamedAndPrintedFromItsRow)
{
    const ::testing::UnitTest &unit = *::testing::UnitTest::GetInstance();
    for (int i = 0; i < unit.total_test_suite_count(); ++i) {
        const ::testing::TestSuite &suite = *unit.GetTestSuite(i);
        for (int j = 0; j < suite.total_test_count(); ++j) {
            const ::testing::TestInfo &test = *suite.GetTestInfo(j);
            if (!test.value_param())
                continue;
            const std::string full = std::string(suite.name()) + "." + test.name();
            const std::string name = test.name();
            const std::string caseName = name.substr(name.rfind('/') + 1);
            EXPECT_FALSE(allDigits(caseName)) << full << " is named by its index";
            const std::string printed = test.value_param();
            EXPECT_EQ(printed.find("-byte object"), std::string::npos) << full << " prints as raw bytes";
        }
    }
}
