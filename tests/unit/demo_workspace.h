#pragma once
// The demo workspace of all five games (4 MiB ROMs, Setting.ini, the name files), written once
// per test program and shared by the tests that only read it.
#include <filesystem>

const std::filesystem::path& AllGamesWorkspace();
