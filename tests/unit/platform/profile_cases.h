#pragma once
// Profile lookups whose answers the programs depend on. The same table runs against the
// portable implementation and, under Wine, against the system's functions.
#include <cstdint>
#include <vector>

struct ProfileCase {
  const char* name;
  const char* content;  // file bytes; nullptr: the file does not exist
  const char* section;
  const char* key;
  const char* def;
  uint32_t size;          // caller's buffer size
  const char* expected;   // text in the buffer
  uint32_t expected_return;
};

const std::vector<ProfileCase>& ProfileCases();
