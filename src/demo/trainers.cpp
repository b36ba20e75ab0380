// Trainers and their parties: all four party layouts, sizes 1 to 6.
#include <string>

#include "demo/demo_rom.h"
#include "editors/trainer/trainer_layout.h"

namespace demo {

namespace T = trainer_layout;

void CDemoRomWriter::WriteTrainers() {
  std::vector<uint8_t> records(size_t(game_.trainer_count) * T::kSize);
  std::vector<uint32_t> parties(size_t(game_.trainer_count));
  for (int t = 0; t < game_.trainer_count; ++t) {
    uint8_t* r = records.data() + size_t(t) * T::kSize;
    int type = t % 4;
    int size = t < 24 ? t % 6 + 1 : rng_.Range(1, 6);
    int member_size = int(T::MemberSize(type));
    std::vector<uint8_t> party(size_t(size * member_size));
    for (int m = 0; m < size; ++m) {
      uint8_t* p = party.data() + size_t(m * member_size);
      int level = rng_.Range(2, 70);
      int species = RandomSpecies();
      p[T::kUnknown] = uint8_t(rng_.Below(256));
      p[1] = rng_.Byte();
      p[T::kLevel] = uint8_t(level);
      p[3] = rng_.Byte();
      p[T::kSpecies] = uint8_t(species);
      p[T::kSpecies + 1] = uint8_t(species >> 8);
      auto put16 = [&](int at, int v) {
        p[at] = uint8_t(v);
        p[at + 1] = uint8_t(v >> 8);
      };
      if (type == 0) put16(6, int(rng_.Below(0x10000)));
      if (type == 1) {
        for (int i = 0; i < 4; ++i) put16(6 + 2 * i, RandomMove());
        put16(14, int(rng_.Below(0x10000)));
      }
      if (type == 2) put16(6, rng_.Percent(50) ? RandomItem() : 0);
      if (type == 3) {
        put16(6, RandomItem());
        for (int i = 0; i < 4; ++i) put16(8 + 2 * i, RandomMove());
      }
    }
    parties[size_t(t)] = rom_.PlaceBytes("party " + std::to_string(t), party, 4);

    for (size_t i = 0; i < T::kSize; ++i) r[i] = rng_.Byte();
    r[T::kDataType] = uint8_t(type);
    r[T::kClass] = uint8_t(rng_.Below(uint32_t(game_.class_count)));
    r[T::kMusic] = uint8_t(rng_.Below(256));
    r[T::kPicture] = uint8_t(rng_.Range(0, game_.trainer_pic_max));
    std::vector<uint8_t> name = RandomName(rng_.Range(2, 5), T::kNameSize, 0xFF);
    std::copy(name.begin(), name.end(), r + T::kName);
    for (int i = 0; i < 4; ++i) {
      int item = i < 2 && rng_.Percent(40) ? RandomItem() : 0;
      r[T::kItems + 2 * size_t(i)] = uint8_t(item);
      r[T::kItems + 2 * size_t(i) + 1] = uint8_t(item >> 8);
    }
    r[T::kDouble] = uint8_t(t % 9 == 0 ? 1 : 0);
    r[T::kChecks] = uint8_t(rng_.Below(256));
    r[T::kPartySize] = uint8_t(size);
    uint32_t address = parties[size_t(t)] + kGbaBase;
    for (size_t i = 0; i < 4; ++i) r[T::kPartyAddress + i] = uint8_t(address >> (8 * i));
  }
  uint32_t table = rom_.PlaceBytes("trainers", records, 4);
  Key("TrainerData", table);
  Key("TrainerDataNum", game_.trainer_count);
  Key("Trainer_Pic_Num", game_.trainer_pic_max);
  script_trainer_ = 1 + int(rng_.Below(uint32_t(game_.trainer_count - 1)));
}

}  // namespace demo
