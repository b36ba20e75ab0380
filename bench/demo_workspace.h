#pragma once
// The BPRJ demo workspace a benchmark works on: written once into a directory of its own under
// the system's temporary directory, removed at exit.
#include <cstdio>
#include <filesystem>
#include <string>

#include "demo/demo_rom.h"
#include "demo/workspace.h"

namespace bench {

struct DemoWorkspace {
  std::filesystem::path dir;
  std::filesystem::path rom;
  explicit DemoWorkspace(const char* name) {
    dir = std::filesystem::temp_directory_path() / name;
    demo::WorkspaceOptions options;
    options.games = {"BPRJ"};
    std::string error;
    if (!demo::WriteWorkspace(dir, options, error)) std::fprintf(stderr, "%s\n", error.c_str());
    rom = dir / demo::FindGame("BPRJ")->file_name;
  }
  ~DemoWorkspace() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
};

}  // namespace bench
