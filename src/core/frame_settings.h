#pragma once
// The main window's placement and the program-wide switches, kept in section [Tessaro] of
// Setting.ini.
#include <filesystem>

struct FrameSettings {
  // The placement counts only when all five keys are present.
  bool has_placement = false;
  int x = 0, y = 0, width = 0, height = 0;
  int show_cmd = 1;
  bool promode = false;
  bool viewnumber = false;
  bool duplication = false;
  // Backup=0 turns off the copy of a ROM before the run's first write into it.
  bool backup = true;
};

// Reads the section; switches that are missing keep false.
FrameSettings ReadFrameSettings(const std::filesystem::path& setting_ini);

// Writes ShowCmd and the switches always, the four placement keys only when `keep_position` is
// false (the window was minimised or maximised: the last normal placement stays).
void WriteFrameSettings(const std::filesystem::path& setting_ini, const FrameSettings& settings,
                        bool keep_position);
