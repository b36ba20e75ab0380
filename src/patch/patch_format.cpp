#include "patch/patch_format.h"

#include <zlib.h>

#include <cctype>
#include <cstdio>
#include <cstring>

namespace patch {

Format FormatOfName(const std::filesystem::path& name) {
  std::string extension = name.extension().string();
  for (char& c : extension) c = char(std::tolower(static_cast<unsigned char>(c)));
  if (extension == ".bps") return Format::kBps;
  if (extension == ".ips") return Format::kIps;
  return Format::kNone;
}

Format FormatOfBytes(Bytes patch) {
  if (patch.size() >= 4 && std::memcmp(patch.data(), "BPS1", 4) == 0) return Format::kBps;
  if (patch.size() >= 5 && std::memcmp(patch.data(), "PATCH", 5) == 0) return Format::kIps;
  return Format::kNone;
}

const char* FormatName(Format format) {
  return format == Format::kBps ? "BPS" : format == Format::kIps ? "IPS" : "?";
}

uint32_t Crc32(Bytes data) {
  return uint32_t(crc32_z(crc32_z(0, nullptr, 0), data.data(), data.size()));
}

std::string ProblemText(const Problem& p) {
  char text[512];
  const auto at = static_cast<unsigned long long>(p.offset);
  switch (p.fault) {
    case Fault::kNone: return "正常終了。";
    case Fault::kNotPatch: return "BPSパッチでもIPSパッチでもありません。";
    case Fault::kEndsEarly: std::snprintf(text, sizeof text, "パッチが途中で終わっています(0x%llX)。", at); break;
    case Fault::kTrailingBytes:
      std::snprintf(text, sizeof text, "パッチの終わりの後に余分なデータがあります(0x%llX)。", at);
      break;
    case Fault::kBadNumber: std::snprintf(text, sizeof text, "パッチの数値が大きすぎます(0x%llX)。", at); break;
    case Fault::kReadsOutsideSource:
      std::snprintf(text, sizeof text, "パッチが元のROMの範囲外を読もうとしています(0x%llX)。", at);
      break;
    case Fault::kWritesOutsideTarget:
      std::snprintf(text, sizeof text, "パッチが出力の範囲外を指しています(0x%llX)。", at);
      break;
    case Fault::kTargetTooLarge:
      std::snprintf(text, sizeof text, "パッチの結果がROMの大きさ(32MB)を超えます(%llu バイト、0x%llX)。",
                    static_cast<unsigned long long>(p.actual_size), at);
      break;
    case Fault::kPatchChecksum:
      std::snprintf(text, sizeof text, "パッチファイルが壊れています。CRC32が一致しません(記録 %08X、実際 %08X)。",
                    unsigned(p.expected_crc), unsigned(p.actual_crc));
      break;
    case Fault::kWrongSource:
      std::snprintf(text, sizeof text,
                    "このパッチは別のROM用です。パッチの元のROM: %llu バイト、CRC32 %08X / このROM: %llu バイト、CRC32 %08X",
                    static_cast<unsigned long long>(p.expected_size), unsigned(p.expected_crc),
                    static_cast<unsigned long long>(p.actual_size), unsigned(p.actual_crc));
      break;
    case Fault::kResultChecksum:
      std::snprintf(text, sizeof text, "パッチを当てた結果が正しくありません。CRC32が一致しません(記録 %08X、結果 %08X)。",
                    unsigned(p.expected_crc), unsigned(p.actual_crc));
      break;
    case Fault::kIpsOutOfReach:
      std::snprintf(text, sizeof text, "IPSでは16MB以降(0x%llX)の変更を表せません。BPSで作成してください。", at);
      break;
    case Fault::kInputTooLarge:
      std::snprintf(text, sizeof text, "ファイルが大きすぎます(%llu バイトまで)。",
                    static_cast<unsigned long long>(p.expected_size));
      break;
  }
  return text;
}

}  // namespace patch
