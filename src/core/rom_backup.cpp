#include "core/rom_backup.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <system_error>
#include <utility>

#include "platform/error_text.h"
#include "platform/file.h"

namespace {

namespace fs = std::filesystem;

// Names are compared in the system's own characters: a ROM's name may hold any character.
using Name = fs::path::string_type;

Name Native(std::string_view ascii) { return Name(ascii.begin(), ascii.end()); }

bool AllDigits(const Name& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](auto c) { return c >= '0' && c <= '9'; });
}

// The order key of a backup name of `stem` ("STEM-YYYYMMDD-HHMMSS[-N].gba"), or nothing for a
// name of another form.
std::optional<std::pair<Name, int>> BackupKey(const Name& name, const Name& stem) {
  const Name suffix = Native(".gba"), dash = Native("-");
  if (name.size() < stem.size() + 1 + 15 + suffix.size() || !name.starts_with(stem + dash) ||
      !name.ends_with(suffix))
    return std::nullopt;
  const Name rest = name.substr(stem.size() + 1, name.size() - stem.size() - 1 - suffix.size());
  const Name stamp = rest.substr(0, 15);
  if (!AllDigits(stamp.substr(0, 8)) || stamp[8] != '-' || !AllDigits(stamp.substr(9, 6))) return std::nullopt;
  if (rest.size() == 15) return std::make_pair(stamp, 1);
  const Name counter = rest.substr(15);
  if (counter.size() < 2 || counter.size() > 6 || counter[0] != '-' || !AllDigits(counter.substr(1)))
    return std::nullopt;
  int n = 0;
  for (size_t i = 1; i < counter.size(); ++i) n = n * 10 + int(counter[i] - '0');
  return std::make_pair(stamp, n);
}

std::string Stamp(std::time_t now) {
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

// Copies `from` into the new file `to`, every byte counted and on the disk; a failed copy is
// removed again.
bool CopyInto(const fs::path& from, const fs::path& to, std::string& error) {
  platform::CFile source, copy;
  uint64_t size = 0;
  if (!source.Open(from, platform::OpenMode::kReadShared) || !source.Size(size)) {
    error = source.ErrorText();
    return false;
  }
  if (!copy.Open(to, platform::OpenMode::kCreateNew)) {
    error = copy.ErrorText();
    return false;
  }
  std::vector<char> buffer(size_t(1) << 20);
  bool ok = true;
  for (uint64_t done = 0; ok && done < size;) {
    const size_t n = size_t(std::min<uint64_t>(buffer.size(), size - done));
    if (!source.Read(buffer.data(), n)) {
      error = source.ErrorText();
      ok = false;
    } else if (!copy.Write(buffer.data(), n)) {
      error = copy.ErrorText();
      ok = false;
    }
    done += n;
  }
  if (ok && !copy.Flush()) {
    error = copy.ErrorText();
    ok = false;
  }
  copy.Close();
  if (!ok) {
    std::error_code ignored;
    fs::remove(to, ignored);
  }
  return ok;
}

}  // namespace

fs::path CRomBackup::Folder(const fs::path& rom) { return platform::FinalPath(rom).parent_path() / "backup"; }

std::vector<fs::path> CRomBackup::List(const fs::path& rom) {
  const fs::path target = platform::FinalPath(rom);
  const Name stem = target.stem().native();
  std::vector<std::pair<std::pair<Name, int>, fs::path>> found;
  std::error_code ec;
  for (fs::directory_iterator it(Folder(rom), ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    if (auto key = BackupKey(it->path().filename().native(), stem)) found.emplace_back(*key, it->path());
  }
  std::sort(found.begin(), found.end());
  std::vector<fs::path> paths;
  for (auto& entry : found) paths.push_back(std::move(entry.second));
  return paths;
}

bool CRomBackup::BeforeWrite(const fs::path& rom, std::string& error) {
  if (!enabled_) return true;
  const fs::path target = platform::FinalPath(rom);
  if (done_.count(target)) return true;
  auto fail = [&](const std::string& reason) {
    error = std::string(kBackupFailedText) + reason;
    return false;
  };
  std::error_code ec;
  if (!fs::exists(target, ec)) {
    // The write itself reports a missing ROM; there is nothing to keep.
    return true;
  }
  const fs::path folder = Folder(target);
  fs::create_directory(folder, ec);
  if (ec && !fs::is_directory(folder)) return fail(platform::SystemErrorText(ec.value()));
  // Built by appending: GCC 12 at -O2 misreads "-" + std::string as an overlapping copy.
  const std::string stamp = Stamp(clock_ ? clock_() : std::time(nullptr));
  const Name base = target.stem().native() + Native(std::string("-").append(stamp));
  std::string reason;
  bool made = false;
  for (int n = 1; n <= 99 && !made; ++n) {
    const std::string suffix = n == 1 ? ".gba" : std::string("-").append(std::to_string(n)).append(".gba");
    const fs::path copy = folder / (base + Native(suffix));
    if (fs::exists(copy, ec) || fs::is_symlink(copy, ec)) continue;  // never replaced
    if (!CopyInto(target, copy, reason)) return fail(reason);
    made = true;
  }
  if (!made) return fail(platform::kShortWriteText);
  done_.insert(target);
  // The newest copies stay; only names of ours are removed.
  std::vector<fs::path> all = List(target);
  for (size_t i = 0; i + kKept < all.size(); ++i) fs::remove(all[i], ec);
  return true;
}

CRomBackup& RomBackup() {
  static CRomBackup backup;
  return backup;
}
