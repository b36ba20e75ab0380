// The main window's placement and switches in section [Tessaro].
#include "core/frame_settings.h"

#include <gtest/gtest.h>

#include "unit/test_dir.h"

namespace {

TEST(FrameSettings, PlacementNeedsAllFiveKeys) {
  TestDir dir;
  auto ini = dir.Write("Setting.ini",
                       "[Tessaro]\r\nWindowX=10\r\nWindowY=20\r\nWindowSizeX=640\r\nWindowSizeY=480\r\n"
                       "viewnumber=1\r\nduplication=0\r\n");
  FrameSettings s = ReadFrameSettings(ini);
  EXPECT_FALSE(s.has_placement);
  EXPECT_TRUE(s.viewnumber);
  EXPECT_FALSE(s.duplication);
  EXPECT_FALSE(s.promode);
  dir.Write("Setting.ini",
            "[Tessaro]\r\nWindowX=10\r\nWindowY=20\r\nWindowSizeX=640\r\nWindowSizeY=480\r\nShowCmd=3\r\n"
            "promode=7\r\n");
  s = ReadFrameSettings(ini);
  EXPECT_TRUE(s.has_placement);
  EXPECT_EQ(s.width, 640);
  EXPECT_EQ(s.show_cmd, 3);
  EXPECT_TRUE(s.promode);
}

TEST(FrameSettings, MinimisedOrMaximisedKeepsTheLastNormalPlacement) {
  TestDir dir;
  auto ini = dir / "Setting.ini";
  FrameSettings s;
  s.x = 5, s.y = 6, s.width = 700, s.height = 500, s.show_cmd = 1, s.viewnumber = true;
  WriteFrameSettings(ini, s, false);
  s.x = 999, s.show_cmd = 2, s.viewnumber = false;
  WriteFrameSettings(ini, s, true);
  FrameSettings back = ReadFrameSettings(ini);
  EXPECT_TRUE(back.has_placement);
  EXPECT_EQ(back.x, 5);
  EXPECT_EQ(back.show_cmd, 2);
  EXPECT_FALSE(back.viewnumber);
}

}  // namespace
