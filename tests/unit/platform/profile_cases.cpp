#include "unit/platform/profile_cases.h"

const std::vector<ProfileCase>& ProfileCases() {
  static const char* kSetting =
      "[Tessaro]\r\n"
      "WindowX=120\r\n"
      "ShowCmd=1\r\n"
      "\r\n"
      "[BPRJ]\r\n"
      "Item_Data=4162148\r\n"
      "  AttackNum  =  355  \r\n"
      ";TrainerData=9\r\n"
      "Quoted=\"a b \"\r\n"
      "Single='x'\r\n"
      "HalfQuoted=\"abc\r\n"
      "Empty=\r\n"
      "NoEquals\r\n"
      "Formula=a=b=c\r\n"
      "Note=1 ; not a comment\r\n"
      "Item_Data=999\r\n"
      "[bprj]\r\n"
      "OnlyInSecond=5\r\n"
      "[AXVJ]\n"
      "Name_Start_Pos=2367272\n"
      "Long=abcdefghij\n";
  static const std::vector<ProfileCase> cases = {
      {"plain value", kSetting, "Tessaro", "WindowX", "", 30, "120", 3},
      {"case-insensitive section and key", kSetting, "bprj", "item_data", "", 30, "4162148", 7},
      {"first key of a section wins", kSetting, "BPRJ", "Item_Data", "", 30, "4162148", 7},
      {"spaces around key and value", kSetting, "BPRJ", "AttackNum", "", 30, "355", 3},
      {"matching double quotes are removed", kSetting, "BPRJ", "Quoted", "", 30, "a b ", 4},
      {"matching single quotes are removed", kSetting, "BPRJ", "Single", "", 30, "x", 1},
      {"a lone quote stays", kSetting, "BPRJ", "HalfQuoted", "", 30, "\"abc", 4},
      {"comment line is no key", kSetting, "BPRJ", "TrainerData", "-", 30, "-", 1},
      {"empty value is not the default", kSetting, "BPRJ", "Empty", "def", 30, "", 0},
      {"line without equals gives the default", kSetting, "BPRJ", "NoEquals", "d", 30, "d", 1},
      {"value keeps later equals signs", kSetting, "BPRJ", "Formula", "", 30, "a=b=c", 5},
      {"semicolon inside a value is kept", kSetting, "BPRJ", "Note", "", 30, "1 ; not a comment", 17},
      {"only the first of two same sections counts", kSetting, "BPRJ", "OnlyInSecond", "no", 30, "no", 2},
      {"LF line ends", kSetting, "AXVJ", "Name_Start_Pos", "", 30, "2367272", 7},
      {"missing key gives the default", kSetting, "AXVJ", "MonsterPics", "", 30, "", 0},
      {"missing section gives the default", kSetting, "BPGJ", "Item_Data", "7", 30, "7", 1},
      {"missing file gives the default", nullptr, "BPRJ", "Item_Data", "", 30, "", 0},
      {"default loses trailing spaces", nullptr, "BPRJ", "Item_Data", "ab  ", 30, "ab", 2},
      {"value cut to the buffer returns size - 1", kSetting, "AXVJ", "Long", "", 5, "abcd", 4},
      {"value that just fits", kSetting, "AXVJ", "Long", "", 11, "abcdefghij", 10},
      {"default cut to the buffer", nullptr, "BPRJ", "Item_Data", "0123456789", 4, "012", 3},
      {"buffer of one byte", kSetting, "Tessaro", "WindowX", "", 1, "", 0},
      {"key outside any section is not found", "Orphan=1\r\n[S]\r\nK=2\r\n", "S", "Orphan", "x", 30, "x", 1},
      {"last line without a line break", "[S]\r\nK=last", "S", "K", "", 30, "last", 4},
      {"spaces before a section header", "  [S]\r\nK=3\r\n", "S", "K", "", 30, "3", 1},
  };
  return cases;
}
