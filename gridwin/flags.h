// The three numberings of the table flags: public TBLF_ bits (messages),
// internal bits (tableFlags) and createFlags bits (TableCreateParams).
// Pure: no windows.h.
#pragma once
#include <cstdint>

namespace gridwin {

struct FlagMapping {
  uint32_t publicBit;  // 0: no public number
  uint32_t internalBit;
  uint32_t createBit;
};

inline constexpr FlagMapping kFlagMap[] = {
    {0x1, 0x40, 0x2},           {0x2, 0x80, 0x4},           {0x4, 0x200, 0x80},
    {0x8, 0x800, 0x100},        {0x10, 0x4000, 0x400},      {0x20, 0x10000, 0x800},
    {0x40, 0x40000, 0x1000},    {0x80, 0x10, 0x20},         {0x100, 0x200000, 0x4000},
    {0x200, 0x400000, 0x8000},  {0x400, 0x1000000, 0x80000}, {0x800, 0x4000000, 0x10000},
    {0x1000, 0x8000000, 0x40000}, {0x2000, 0x10000000, 0x20000}, {0x4000, 0x2000, 0x200000},
    {0, 0x100, 0x1},            {0, 0x2, 0x10},             {0, 0x80000, 0x2000},
    {0, 0x40000000, 0x100000},  {0, 0x80000000, 0x400000},
};

constexpr uint32_t internalFromCreate(uint32_t create) {
  uint32_t out = 0;
  for (const FlagMapping& m : kFlagMap)
    if (create & m.createBit) out |= m.internalBit;
  return out;
}

constexpr uint32_t internalFromPublic(uint32_t pub) {
  uint32_t out = 0;
  for (const FlagMapping& m : kFlagMap)
    if (m.publicBit && (pub & m.publicBit)) out |= m.internalBit;
  return out;
}

constexpr uint32_t publicFromInternal(uint32_t internal) {
  uint32_t out = 0;
  for (const FlagMapping& m : kFlagMap)
    if (m.publicBit && (internal & m.internalBit)) out |= m.publicBit;
  return out;
}

static_assert(internalFromCreate(0x10) == 0x2);
static_assert(publicFromInternal(internalFromPublic(0x7FFF)) == 0x7FFF);

} // namespace gridwin
