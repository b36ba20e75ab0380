#pragma once
// The one-name-per-line files beside Setting.ini (effects.ini, tokusei.ini): line n names
// value n-1. Lines are read whole, whatever their length, and lose only their line end (LF or
// CR LF), so a last line without one keeps every character.
#include <filesystem>
#include <string>
#include <vector>

namespace text {

// False, and `lines` empty, when the file cannot be read.
bool ReadNameLines(const std::filesystem::path& path, std::vector<std::string>& lines);

}  // namespace text
