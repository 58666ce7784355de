#include "platform/profile_check.h"

#include <gtest/gtest.h>

namespace {

using platform::ProfileReadability;

TEST(ProfileCheck, TellsSettingsFromEverythingElse)
{
    QByteArray utf16("\xFF\xFE");
    for (char c : QByteArray("[Folder]\r\nPath=x\r\n"))
        utf16 += QByteArray(1, c) + QByteArray(1, '\0');
    QByteArray utf16NoMark;
    for (char c : QByteArray("[Folder]\r\nPath=x\r\n"))
        utf16NoMark += QByteArray(1, c) + QByteArray(1, '\0');
    QByteArray controls(200, '\x01');
    const std::vector<std::pair<QByteArray, ProfileReadability>> cases = {
        {"[Folder]\r\nPath=C:\\game\r\n", ProfileReadability::Fine},
        {"\xEF\xBB\xBF[Folder]\nPath=\n", ProfileReadability::Fine}, // an empty value is still an entry
        {"; note\n  [ Option ]  \n  Ctrl_Click = True", ProfileReadability::Fine},
        {"[\xB0\xD4\xC0\xD3]\n\xC6\xFA\xB4\xF5=1\n", ProfileReadability::Fine}, // CP949
        {"", ProfileReadability::Empty},
        {" \r\n\t\n", ProfileReadability::Empty},
        {utf16, ProfileReadability::NotText},
        {utf16NoMark, ProfileReadability::NotText},
        {controls + "[a]\nb=c\n", ProfileReadability::NotText},
        {"Path=C:\\game\n", ProfileReadability::NoEntry},          // before any section
        {"[Folder]\n; Path=x\n=value\n", ProfileReadability::NoEntry}, // comment, no key
        {"just some words\n", ProfileReadability::NoEntry},
    };
    for (const auto &[bytes, expected] : cases)
        EXPECT_EQ(platform::checkProfileBytes(bytes), expected) << bytes.toStdString();
}

} // namespace
