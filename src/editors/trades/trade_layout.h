#pragma once
// The in-game trade record: 60 bytes, the table a plain array without header or terminator.
// Bytes not named here are carried unchanged.
#include <array>
#include <cstddef>
#include <cstdint>

#include "core/record_field.h"

namespace trade_layout {

inline constexpr size_t kSize = 60;
inline constexpr uint8_t kIvMax = 31;
inline constexpr RecordField kNickname = TextField("nickname", 0, 6);  // byte 5 = 0xFF
inline constexpr RecordField kSpeciesGiven = ListField("species_given", 12, 2, NameList::kSpecies);  // the partner's
// Six individual values: HP, attack, defence, speed, sp. atk, sp. def.
inline constexpr std::array<RecordField, 6> kIvFields = {
    NumberField("iv_hp", 14, 1, kIvMax),     NumberField("iv_attack", 15, 1, kIvMax),
    NumberField("iv_defense", 16, 1, kIvMax), NumberField("iv_speed", 17, 1, kIvMax),
    NumberField("iv_sp_attack", 18, 1, kIvMax), NumberField("iv_sp_defense", 19, 1, kIvMax)};
inline constexpr RecordField kIvs = kIvFields[0];
inline constexpr size_t kIvCount = kIvFields.size();
inline constexpr RecordField kAbility = NumberField("second_ability", 20, 1, 1);  // 1: second ability
inline constexpr RecordField kTrainerId = NumberField("trainer_id", 24, 2, 0xFFFF);
inline constexpr RecordField kPersonality = NumberField("personality", 36, 4, 0xFFFFFFFF);
inline constexpr RecordField kItem = ListField("item", 40, 2, NameList::kItem);  // held item
inline constexpr RecordField kPartner = TextField("partner", 43, 6);  // byte 5 = 0xFF
inline constexpr RecordField kSpeciesAsked = ListField("species_asked", 56, 2, NameList::kSpecies);  // asked for
inline constexpr size_t kNameSize = 6;
inline constexpr size_t kNameChars = 5;

}  // namespace trade_layout
