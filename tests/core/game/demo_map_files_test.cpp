#include "core/game/demo_map_files.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace core::game;

TEST(DemoMapFiles, BattleMapsInWholeCells)
{
    const auto files = demoMapFiles();
    ASSERT_EQ(files.size(), kDemoBattleMapCount);
    EXPECT_EQ(files[0].first, "Map/M000.JPG");
    for (const auto &[name, bytes] : files) {
        const QImage img = QImage::fromData(bytes, "JPG");
        ASSERT_FALSE(img.isNull()) << name.toStdString();
        EXPECT_EQ(img.width() % 48, 0);
        EXPECT_EQ(img.height() % 48, 0);
    }
}
