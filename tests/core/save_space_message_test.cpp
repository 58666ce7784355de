// The full-disk message of a failed save gives the free space measured after
// the temporary file is gone, and only when it is short of what the save
// needed; otherwise it says only what was needed, never "남은 공간: 0바이트"
// while the disk has room.
#include "core/eex_writer.h"

#include <gtest/gtest.h>

using namespace core;

TEST(SaveSpaceMessage, TheFigureIsTheFreeSpaceOnlyWhenItIsShortOfTheNeed)
{
    struct Case {
        qint64 bytesFree;
        QFileDevice::FileError error;
        const char *says;      // nullptr: not a full-disk message
    };
    const Case cases[] = {
        {100, QFileDevice::WriteError, "디스크 공간이 부족해 저장할 수 없습니다. (필요: 5,000바이트, 남은 공간: 100바이트)"},
        {0, QFileDevice::ResourceError, "디스크 공간이 부족해 저장할 수 없습니다. (필요: 5,000바이트, 남은 공간: 0바이트)"},
        {4999, QFileDevice::ResourceError, "(필요: 5,000바이트, 남은 공간: 4,999바이트)"},
        // Room enough once the temporary file was gone, or not known.
        {479232, QFileDevice::ResourceError, "디스크 공간이 부족해 저장할 수 없습니다. (필요: 5,000바이트)"},
        {5000, QFileDevice::ResourceError, "디스크 공간이 부족해 저장할 수 없습니다. (필요: 5,000바이트)"},
        {-1, QFileDevice::ResourceError, "디스크 공간이 부족해 저장할 수 없습니다. (필요: 5,000바이트)"},
        {5000, QFileDevice::WriteError, nullptr},
        {-1, QFileDevice::WriteError, nullptr},
    };
    for (const Case &c : cases) {
        SaveConditions conditions;
        conditions.bytesFree = c.bytesFree;
        const QString text = saveFailureText(conditions, 5000, c.error);
        SCOPED_TRACE(text.toStdString());
        if (!c.says) {
            EXPECT_FALSE(text.contains(QStringLiteral("디스크 공간")));
            continue;
        }
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.says)));
        EXPECT_EQ(text.contains(QStringLiteral("남은 공간")), c.bytesFree >= 0 && c.bytesFree < 5000);
        EXPECT_TRUE(text.endsWith(QStringLiteral("원래 파일은 그대로입니다.")));
    }
}
