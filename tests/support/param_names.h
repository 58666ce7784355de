#pragma once
// Names for parameterised cases taken from their rows, so that a listed or
// failed case says which row it is instead of its index.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace testsupport {

// A row's text made into a case name: every run of characters other than
// ASCII letters and digits becomes one "_", with none at either end. Names
// must still differ from row to row; the test framework stops the program on
// two alike.
inline std::string caseName(std::string_view text)
{
    std::string name;
    bool gap = false;
    for (const char ch : text) {
        const bool plain = (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9');
        if (!plain) {
            gap = !name.empty();
            continue;
        }
        if (gap)
            name += '_';
        gap = false;
        name += ch;
    }
    return name.empty() ? std::string("Unnamed") : name;
}

// The name generator for rows with a `name` member.
struct NameFromRow
{
    template<class Row>
    std::string operator()(const ::testing::TestParamInfo<Row> &info) const
    {
        return caseName(info.param.name);
    }
};

} // namespace testsupport
