#include "editors/monster/machine_bits.h"

#include "core/rom_writer.h"

namespace {

namespace L = monster_layout;

// The file's own size decides too: it may have changed since the ROM was loaded.
bool TableInFile(platform::CFile& rom, const TableSpan& span, std::string& error) {
  uint64_t size = 0;
  if (!rom.Size(size)) {
    error = rom.ErrorText();
    return false;
  }
  if (span.FitsIn(size)) return true;
  error = kTableOutsideRomText;
  return false;
}

}  // namespace

MachineStates UnpackMachine(const MachineRecord& record) {
  MachineStates states{};
  for (int i = 0; i < L::kMachineBits; ++i) states[size_t(i)] = (record[size_t(i / 8)] >> (i % 8) & 1) != 0;
  return states;
}

MachineRecord PackMachine(const MachineStates& states) {
  MachineRecord record{};
  for (int i = 0; i < L::kMachineBits; ++i)
    if (states[size_t(i)]) record[size_t(i / 8)] |= uint8_t(1u << (i % 8));
  return record;
}

void CMachineBits::Configure(int64_t offset, uint64_t rom_size) {
  span_.offset = offset;
  rom_size_ = rom_size;
  Discard();
}

void CMachineBits::Forget() {
  states_ = {};
  loaded_ = -1;
}

void CMachineBits::Discard() {
  Forget();
  if (on_discard_) on_discard_();
}

const char* CMachineBits::Unusable() const {
  if (!span_.configured()) return kMachineMissingText;
  if (!span_.FitsIn(rom_size_)) return kMachineOutsideText;
  return nullptr;
}

uint64_t CMachineBits::RecordOffset(int32_t species) const {
  return uint64_t(span_.offset) + uint64_t(species) * L::kMachineSize;
}

bool CMachineBits::Load(const std::filesystem::path& rom, int32_t species, std::string& status) {
  Forget();
  if (const char* reason = Unusable()) {
    status = reason;
    return false;
  }
  if (species < 0 || species >= L::kSpecies) {
    status.clear();  // no species on show: nothing to read and nothing to report
    return false;
  }
  platform::CFile file;
  MachineRecord record{};
  std::string error;
  if (!file.Open(rom, platform::OpenMode::kReadExisting) || !TableInFile(file, span_, error) ||
      !file.ReadAt(RecordOffset(species), record.data(), record.size())) {
    status = std::string(kMachineReadFailure) + (error.empty() ? file.ErrorText() : error);
    return false;
  }
  states_ = UnpackMachine(record);
  loaded_ = species;
  status.clear();
  return true;
}

const char* CMachineBits::Refusal(int32_t species) const {
  if (const char* reason = Unusable()) return reason;
  if (species < 0 || species >= L::kSpecies || species != loaded_) return kMachineNotReadText;
  return nullptr;
}

bool CMachineBits::Save(const std::filesystem::path& rom, int32_t species, const MachineStates& states,
                        std::string& status) {
  if (const char* reason = Refusal(species)) {
    status = reason;
    return false;
  }
  const MachineRecord record = PackMachine(states);
  CRomChange change(rom);  // a vanished ROM is not made anew
  if (!change.Open()) {
    status = std::string(kMachineSaveFailure) + change.error();
    return false;
  }
  // The file's own size decides too: it may have changed since the ROM was loaded.
  if (!span_.FitsIn(change.size())) {
    change.Abandon();
    status = std::string(kMachineSaveFailure) + kTableOutsideRomText;
    return false;
  }
  if (!change.Write(int64_t(RecordOffset(species)), record.data(), record.size()) || !change.Commit()) {
    status = std::string(kMachineSaveFailure) + change.error();
    return false;
  }
  states_ = UnpackMachine(record);
  status = kMachineSavedText;
  return true;
}
