#include "unit/demo_workspace.h"

#include <gtest/gtest.h>

#include <string>

#include "demo/workspace.h"
#include "unit/test_dir.h"

const std::filesystem::path& AllGamesWorkspace() {
  static TestDir dir;
  static bool written = [] {
    demo::WorkspaceOptions options;
    options.rom_size = demo::kMinimumRomSize;
    std::string error;
    return demo::WriteWorkspace(dir.path(), options, error);
  }();
  EXPECT_TRUE(written);
  return dir.path();
}
