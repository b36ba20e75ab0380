#pragma once
// The trainer record (32 bytes, little-endian, back to back) and the party members it points to.
#include <array>
#include <cstddef>
#include <cstdint>

#include "core/record_field.h"

namespace trainer_layout {

inline constexpr size_t kSize = 32;
inline constexpr RecordField kDataType = ListField("type", 0, 1, NameList::kPartyType);  // party layout 0-3
inline constexpr RecordField kClass = ListField("class", 1, 1, NameList::kTrainerClass);
inline constexpr RecordField kMusic = NumberField("music", 2, 1, 255);  // pre-battle music
inline constexpr RecordField kPicture = NumberField("picture", 3, 1, 255);  // trainer picture index
inline constexpr RecordField kName = TextField("name", 4, 6);  // the last byte is always 0xFF
inline constexpr size_t kNameSize = kName.width;
inline constexpr size_t kListNameBytes = 5;  // the bytes the trainer list decodes
// Four 16-bit held items.
inline constexpr std::array<RecordField, 4> kItemFields = {
    ListField("item1", 10, 2, NameList::kItem), ListField("item2", 12, 2, NameList::kItem),
    ListField("item3", 14, 2, NameList::kItem), ListField("item4", 16, 2, NameList::kItem)};
inline constexpr RecordField kItems = kItemFields[0];
inline constexpr size_t kItemCount = kItemFields.size();
inline constexpr RecordField kDouble = NumberField("double_battle", 18, 1, 1);
// Battle checks in bits 0-3; bits 4-7 are the game's.
inline constexpr RecordField kChecks = NumberField("checks", 20, 1, 255);
inline constexpr std::array<RecordField, 4> kCheckFlags = {
    BitsField("check1", 20, 1, 0, 1), BitsField("check2", 20, 1, 1, 1), BitsField("check3", 20, 1, 2, 1),
    BitsField("check4", 20, 1, 3, 1)};
inline constexpr RecordField kPartySize = NumberField("party_size", 24, 1, 6, 1);
inline constexpr size_t kPartyAddress = 28;  // GBA address; bytes 28-30 are the ROM offset
inline constexpr size_t kPartyOffsetBytes = 3;
inline constexpr uint32_t kMaxPartyOffset = 0x1FFFFFF;  // a pointer reaches 32 MiB

// Party members: an 8-byte first block, and for the types with moves an 8-byte second block.
inline constexpr int kMaxMembers = 6;
inline constexpr size_t kBlock = 8;
inline constexpr RecordField kUnknown = NumberField("unknown", 0, 1, 255);  // the games', not interpreted
inline constexpr RecordField kLevel = NumberField("level", 2, 1, 255);
inline constexpr RecordField kSpecies = ListField("species", 4, 2, NameList::kSpecies);
inline constexpr size_t kExtra = 6;    // first block: held item (types 2, 3) or move 1 (type 1)
inline constexpr int kDataTypeCount = 4;  // valid layouts 0-3

inline constexpr bool HasMoves(int type) { return type == 1 || type == 3; }
inline constexpr bool HasItem(int type) { return type == 2 || type == 3; }
inline constexpr size_t MemberSize(int type) { return HasMoves(type) ? 2 * kBlock : kBlock; }

}  // namespace trainer_layout
