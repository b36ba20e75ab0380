#include "core/frame_settings.h"

#include "core/ini.h"

namespace {
constexpr const char* kSection = "Tessaro";
}

FrameSettings ReadFrameSettings(const std::filesystem::path& setting_ini) {
  CINI ini;
  FrameSettings s;
  int values[5] = {};
  const char* keys[5] = {"WindowX", "WindowY", "WindowSizeX", "WindowSizeY", "ShowCmd"};
  s.has_placement = true;
  for (int i = 0; i < 5; ++i) s.has_placement &= ini.GetInt(setting_ini, kSection, keys[i], values[i]);
  if (s.has_placement) {
    s.x = values[0];
    s.y = values[1];
    s.width = values[2];
    s.height = values[3];
    s.show_cmd = values[4];
  }
  int value = 0;
  if (ini.GetInt(setting_ini, kSection, "promode", value)) s.promode = value != 0;
  if (ini.GetInt(setting_ini, kSection, "viewnumber", value)) s.viewnumber = value != 0;
  if (ini.GetInt(setting_ini, kSection, "duplication", value)) s.duplication = value != 0;
  if (ini.GetInt(setting_ini, kSection, "Backup", value)) s.backup = value != 0;
  return s;
}

void WriteFrameSettings(const std::filesystem::path& setting_ini, const FrameSettings& s,
                        bool keep_position) {
  // A Setting.ini that cannot be written is no reason to stop the program from closing.
  CINI ini;
  if (!keep_position) {
    ini.Write(setting_ini, kSection, "WindowX", "%d", s.x);
    ini.Write(setting_ini, kSection, "WindowY", "%d", s.y);
    ini.Write(setting_ini, kSection, "WindowSizeX", "%d", s.width);
    ini.Write(setting_ini, kSection, "WindowSizeY", "%d", s.height);
  }
  ini.Write(setting_ini, kSection, "ShowCmd", "%d", s.show_cmd);
  ini.Write(setting_ini, kSection, "promode", "%d", s.promode ? 1 : 0);
  ini.Write(setting_ini, kSection, "viewnumber", "%d", s.viewnumber ? 1 : 0);
  ini.Write(setting_ini, kSection, "duplication", "%d", s.duplication ? 1 : 0);
}
