#include "patch/patch_files.h"

#include <algorithm>
#include <cstdio>

#include "platform/file.h"
#include "platform/sjis.h"

namespace patch {

namespace {

std::string Name(const std::filesystem::path& path) { return platform::SjisFromPath(path.filename()); }

// Reads one input of an operation; false with the text of the failure.
bool ReadInput(const std::filesystem::path& path, uint64_t limit, std::vector<uint8_t>& data, std::string& text) {
  std::string error;
  switch (ReadFileUpTo(path, limit, data, error)) {
    case ReadResult::kRead: return true;
    case ReadResult::kFailed: text = Name(path) + " を読み込めませんでした。" + error; return false;
    case ReadResult::kTooLarge: break;
  }
  char limit_text[64];
  std::snprintf(limit_text, sizeof limit_text, "(%llu バイトまで)。", static_cast<unsigned long long>(limit));
  text = Name(path) + " は大きすぎます" + limit_text;
  return false;
}

bool WriteOutput(const std::filesystem::path& path, const std::vector<uint8_t>& data, std::string& text) {
  std::string error;
  if (platform::ReplaceFileContents(path, data.data(), data.size(), error)) return true;
  text = Name(path) + " に書き込めませんでした。" + error;
  return false;
}

}  // namespace

ReadResult ReadFileUpTo(const std::filesystem::path& path, uint64_t limit, std::vector<uint8_t>& data,
                        std::string& error) {
  data.clear();
  platform::CFile file;
  uint64_t size = 0;
  if (!file.Open(path, platform::OpenMode::kReadExisting) || !file.Size(size)) {
    error = file.ErrorText();
    return ReadResult::kFailed;
  }
  if (size > limit) return ReadResult::kTooLarge;
  data.reserve(size_t(size));
  // To the end rather than to the size, and never more than one byte past the limit: a device
  // or a file that grew tells its size only by its end.
  constexpr size_t kStep = size_t(1) << 20;
  for (;;) {
    const size_t old = data.size();
    const size_t step = size_t(std::min<uint64_t>(kStep, limit + 1 - old));
    size_t got = 0;
    data.resize(old + step);
    if (!file.ReadSome(data.data() + old, step, got)) {
      error = file.ErrorText();
      data.clear();
      return ReadResult::kFailed;
    }
    data.resize(old + got);
    if (data.size() > limit) {
      data.clear();
      return ReadResult::kTooLarge;
    }
    if (got == 0) return ReadResult::kRead;
  }
}

bool MakePatchFile(const std::filesystem::path& original, const std::filesystem::path& modified,
                   const std::filesystem::path& out, std::string& text) {
  const Format format = FormatOfName(out);
  if (format == Format::kNone) {
    text = "パッチのファイル名は .bps か .ips で終わるようにしてください。";
    return false;
  }
  std::vector<uint8_t> source, target, bytes;
  if (!ReadInput(original, kMaxRomBytes, source, text) || !ReadInput(modified, kMaxRomBytes, target, text))
    return false;
  Problem problem;
  if (!Make(format, source, target, bytes, problem)) {
    text = ProblemText(problem);
    return false;
  }
  if (!WriteOutput(out, bytes, text)) return false;
  char done[96];
  std::snprintf(done, sizeof done, "パッチを作成しました(%s、%llu バイト)。", FormatName(format),
                static_cast<unsigned long long>(bytes.size()));
  text = done;
  return true;
}

bool ApplyPatchFile(const std::filesystem::path& rom, const std::filesystem::path& patch_file,
                    const std::filesystem::path& out, std::string& text) {
  // A ROM written under a patch's name is a slip (the dialogs remember the last name).
  if (FormatOfName(out) != Format::kNone) {
    text = "パッチのファイル名(.bps、.ips)にはROMを書き込みません。別のファイル名を指定してください。";
    return false;
  }
  std::vector<uint8_t> source, bytes, target;
  if (!ReadInput(patch_file, kMaxPatchBytes, bytes, text) || !ReadInput(rom, kMaxRomBytes, source, text))
    return false;
  Problem problem;
  if (!Apply(bytes, source, target, problem)) {
    text = ProblemText(problem);
    return false;
  }
  if (!WriteOutput(out, target, text)) return false;
  char done[96];
  std::snprintf(done, sizeof done, "パッチを当てました(%s、%llu バイト)。", FormatName(FormatOfBytes(bytes)),
                static_cast<unsigned long long>(target.size()));
  text = done;
  return true;
}

}  // namespace patch
