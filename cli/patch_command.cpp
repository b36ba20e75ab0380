// vantari patch: BPS and IPS patches made from two ROMs, applied to a ROM, and described.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/file_io.h"
#include "core/rom_writer.h"
#include "patch/patch.h"
#include "patch/patch_files.h"
#include "platform/sjis.h"

namespace cli {

namespace {

constexpr const char* kUsage =
    "usage: vantari patch make ORIGINAL MODIFIED OUT.(bps|ips) [--metadata FILE]\n"
    "       vantari patch apply ROM PATCH OUT\n"
    "       vantari patch apply ROM PATCH --in-place [--no-backup]\n"
    "       vantari patch info PATCH [ROM]\n"
    "make writes the patch that turns ORIGINAL into MODIFIED, in the format OUT's name ends in:\n"
    "BPS (checksummed, any size, moved data as copies; --metadata stores FILE's text in it) or\n"
    "IPS (changes below 16 MiB only, no checksums).\n"
    "apply writes the patched ROM to OUT, or with --in-place changes ROM itself, writing only\n"
    "the bytes that differ, after a backup into the backup folder beside it (not with\n"
    "--no-backup). A patch that does not fit the ROM is refused whole: nothing is written.\n"
    "info prints the patch's format, sizes, checksums and BPS metadata; with ROM, whether the\n"
    "patch was made for it (exit code 1 when not).\n"
    "A ROM is at most 32 MiB. Files may be - for the standard input or output.\n";

using patch::Fault;

// The problem in the words of the command line.
std::string Describe(const patch::Problem& p) {
  char text[320];
  const auto at = static_cast<unsigned long long>(p.offset);
  switch (p.fault) {
    case Fault::kNone: return "done";
    case Fault::kNotPatch: return "neither a BPS nor an IPS patch";
    case Fault::kEndsEarly: std::snprintf(text, sizeof text, "the patch ends early (at 0x%llX)", at); break;
    case Fault::kTrailingBytes: std::snprintf(text, sizeof text, "bytes follow the end of the patch (at 0x%llX)", at); break;
    case Fault::kBadNumber: std::snprintf(text, sizeof text, "a number too large to mean anything (at 0x%llX)", at); break;
    case Fault::kReadsOutsideSource:
      std::snprintf(text, sizeof text, "the step at 0x%llX reads outside the original ROM", at);
      break;
    case Fault::kWritesOutsideTarget:
      std::snprintf(text, sizeof text, "the step at 0x%llX writes or copies outside the result", at);
      break;
    case Fault::kTargetTooLarge:
      std::snprintf(text, sizeof text, "the result would be %llu bytes, more than a 32 MiB cartridge (at 0x%llX)",
                    static_cast<unsigned long long>(p.actual_size), at);
      break;
    case Fault::kPatchChecksum:
      std::snprintf(text, sizeof text, "the patch is damaged: it records CRC-32 %08X, its bytes give %08X",
                    unsigned(p.expected_crc), unsigned(p.actual_crc));
      break;
    case Fault::kWrongSource:
      std::snprintf(text, sizeof text,
                    "this patch is for another ROM: it wants %llu bytes with CRC-32 %08X, this ROM has %llu "
                    "bytes with CRC-32 %08X",
                    static_cast<unsigned long long>(p.expected_size), unsigned(p.expected_crc),
                    static_cast<unsigned long long>(p.actual_size), unsigned(p.actual_crc));
      break;
    case Fault::kResultChecksum:
      std::snprintf(text, sizeof text, "the patched ROM has CRC-32 %08X, the patch promises %08X",
                    unsigned(p.actual_crc), unsigned(p.expected_crc));
      break;
    case Fault::kIpsOutOfReach:
      std::snprintf(text, sizeof text, "IPS cannot express the change at 0x%llX (at or past 16 MiB): make a .bps patch",
                    at);
      break;
    case Fault::kInputTooLarge:
      std::snprintf(text, sizeof text, "a ROM is at most %llu bytes", static_cast<unsigned long long>(p.expected_size));
      break;
  }
  return text;
}

// An input of at most `limit` bytes; a larger one is refused before it is read whole.
bool ReadCapped(std::string_view name, uint64_t limit, std::vector<uint8_t>& data, const Io& io) {
  std::string error;
  patch::ReadResult result = patch::ReadResult::kRead;
  data.clear();
  if (name == "-") {
    uint8_t buffer[1 << 14];
    size_t n;
    while (data.size() <= limit && (n = std::fread(buffer, 1, sizeof buffer, io.in)) > 0)
      data.insert(data.end(), buffer, buffer + n);
    if (std::ferror(io.in)) {
      result = patch::ReadResult::kFailed;
      error = "read error";
    } else if (data.size() > limit) {
      result = patch::ReadResult::kTooLarge;
    }
  } else {
    result = patch::ReadFileUpTo(platform::PathFromSjis(name), limit, data, error);
  }
  if (result == patch::ReadResult::kRead) return true;
  const std::string file(name);
  if (result == patch::ReadResult::kFailed)
    std::fprintf(io.err, "vantari: cannot read %s: %s\n", file.c_str(), error.c_str());
  else
    std::fprintf(io.err, "vantari: %s is larger than %llu bytes, the most it may be\n", file.c_str(),
                 static_cast<unsigned long long>(limit));
  return false;
}

int Make(std::span<const std::string_view> args, const Io& io) {
  std::vector<std::string_view> files;
  std::string_view metadata_file;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--metadata" && i + 1 < args.size() && metadata_file.empty()) {
      metadata_file = args[++i];
    } else if (args[i].starts_with("--")) {
      files.clear();
      break;
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.size() != 3) {
    std::fputs(kUsage, io.err);
    return 2;
  }
  const patch::Format format = patch::FormatOfName(platform::PathFromSjis(files[2]));
  if (format == patch::Format::kNone) {
    std::fprintf(io.err, "vantari: %s: the patch's name must end in .bps or .ips\n", std::string(files[2]).c_str());
    return 2;
  }
  std::vector<uint8_t> source, target, metadata, bytes;
  if (!ReadCapped(files[0], patch::kMaxRomBytes, source, io) || !ReadCapped(files[1], patch::kMaxRomBytes, target, io))
    return 1;
  if (!metadata_file.empty() && !ReadCapped(metadata_file, uint64_t(1) << 20, metadata, io)) return 1;
  patch::Problem problem;
  if (!patch::Make(format, source, target, bytes, problem,
                   std::string_view(reinterpret_cast<const char*>(metadata.data()), metadata.size()))) {
    std::fprintf(io.err, "vantari: %s\n", Describe(problem).c_str());
    return 1;
  }
  if (!WriteOutput(files[2], bytes.data(), bytes.size(), io)) return 1;
  std::fprintf(io.err, "%s patch of %llu bytes\n", patch::FormatName(format),
               static_cast<unsigned long long>(bytes.size()));
  return 0;
}

// Makes the ROM file hold `target` through the ROM writer: only the runs that differ are
// written, and a failure leaves the file as it was. The backup is vantari's (--no-backup is
// taken by cli::Main for every command).
int ApplyInPlace(std::string_view rom, const std::vector<uint8_t>& target, const Io& io) {
  CRomChange change(platform::PathFromSjis(rom));
  if (!change.Open() || !change.Rewrite(target) || !change.Commit()) {
    std::fprintf(io.err, "vantari: %s: %s; the ROM is as it was\n", std::string(rom).c_str(), change.error().c_str());
    return 1;
  }
  uint64_t changed = 0;
  for (const RomPiece& piece : change.record().pieces) changed += piece.after.size();
  std::fprintf(io.err, "patched %s in place: %llu bytes written in %zu pieces, %llu bytes now\n",
               std::string(rom).c_str(), static_cast<unsigned long long>(changed), change.record().pieces.size(),
               static_cast<unsigned long long>(target.size()));
  return 0;
}

int Apply(std::span<const std::string_view> args, const Io& io) {
  std::vector<std::string_view> files;
  bool in_place = false, bad = false;
  for (std::string_view arg : args) {
    if (arg == "--in-place") in_place = true;
    else if (arg.starts_with("--")) bad = true;
    else files.push_back(arg);
  }
  if (bad || files.size() != (in_place ? 2u : 3u) || (in_place && files[0] == "-")) {
    std::fputs(kUsage, io.err);
    return 2;
  }
  std::vector<uint8_t> bytes, source, target;
  if (!ReadCapped(files[1], patch::kMaxPatchBytes, bytes, io) || !ReadCapped(files[0], patch::kMaxRomBytes, source, io))
    return 1;
  patch::Problem problem;
  if (!patch::Apply(bytes, source, target, problem)) {
    std::fprintf(io.err, "vantari: %s: %s; nothing was written\n", std::string(files[1]).c_str(),
                 Describe(problem).c_str());
    return 1;
  }
  if (in_place) return ApplyInPlace(files[0], target, io);
  return WriteOutput(files[2], target.data(), target.size(), io) ? 0 : 1;
}

int Info(std::span<const std::string_view> args, const Io& io) {
  if (args.empty() || args.size() > 2 || args[0].starts_with("--") || (args.size() == 2 && args[1].starts_with("--"))) {
    std::fputs(kUsage, io.err);
    return 2;
  }
  std::vector<uint8_t> bytes;
  if (!ReadCapped(args[0], patch::kMaxPatchBytes, bytes, io)) return 1;
  patch::Info info;
  patch::Problem problem;
  if (!patch::Inspect(bytes, info, problem)) {
    std::fprintf(io.err, "vantari: %s: %s\n", std::string(args[0]).c_str(), Describe(problem).c_str());
    return 1;
  }
  const auto u = [](uint64_t v) { return static_cast<unsigned long long>(v); };
  std::fprintf(io.out, "format: %s\npatch: %llu bytes\n", patch::FormatName(info.format), u(info.patch_size));
  const bool bps = info.format == patch::Format::kBps;
  if (bps) {
    std::fprintf(io.out, "original: %llu bytes, CRC-32 %08X\nresult: %llu bytes, CRC-32 %08X\n", u(info.source_size),
                 unsigned(info.source_crc), u(info.target_size), unsigned(info.target_crc));
    std::fprintf(io.out, "patch CRC-32: %08X (%s)\nmetadata: %llu bytes\n", unsigned(info.patch_crc),
                 info.patch_crc == info.patch_crc_computed ? "holds" : "damaged", u(info.metadata.size()));
    if (!info.metadata.empty()) std::fprintf(io.out, "%s\n", info.metadata.c_str());
  } else {
    std::fprintf(io.out, "records: %llu (%llu runs)\nwrites up to: 0x%llX\n", u(info.records), u(info.run_records),
                 u(info.write_end));
    if (info.truncates) std::fprintf(io.out, "cuts the result to: %llu bytes\n", u(info.truncated_size));
  }
  int code = 0;
  if (bps && info.patch_crc != info.patch_crc_computed) {
    problem = {Fault::kPatchChecksum, 0, info.patch_crc, info.patch_crc_computed};
    std::fprintf(io.err, "vantari: %s\n", Describe(problem).c_str());
    code = 1;
  }
  if (args.size() < 2) return code;
  std::vector<uint8_t> rom, target;
  if (!ReadCapped(args[1], patch::kMaxRomBytes, rom, io)) return 1;
  const uint32_t crc = patch::Crc32(rom);
  std::fprintf(io.out, "ROM: %llu bytes, CRC-32 %08X\n", u(rom.size()), unsigned(crc));
  if (bps && (rom.size() != info.source_size || crc != info.source_crc)) {
    problem = {Fault::kWrongSource, 0, info.source_crc, crc, info.source_size, rom.size()};
    std::fprintf(io.out, "the patch is for another ROM\n");
    std::fprintf(io.err, "vantari: %s\n", Describe(problem).c_str());
    return 1;
  }
  if (code != 0) return code;
  if (!patch::Apply(bytes, rom, target, problem)) {
    std::fprintf(io.out, "the patch does not apply to this ROM\n");
    std::fprintf(io.err, "vantari: %s\n", Describe(problem).c_str());
    return 1;
  }
  std::fprintf(io.out, bps ? "the patch is for this ROM; the result is %llu bytes\n"
                           : "the patch applies (IPS records no checksum to tell the right ROM); the result is %llu bytes\n",
               u(target.size()));
  return 0;
}

}  // namespace

int PatchCommand(std::span<const std::string_view> args, const Io& io) {
  if (!args.empty() && args[0] == "make") return Make(args.subspan(1), io);
  if (!args.empty() && args[0] == "apply") return Apply(args.subspan(1), io);
  if (!args.empty() && args[0] == "info") return Info(args.subspan(1), io);
  std::fputs(kUsage, io.err);
  return 2;
}

}  // namespace cli
