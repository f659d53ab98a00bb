// Reads the export and import tables of a PE file from its bytes, without
// loading it: what a DLL really exports and how an importer binds, as the
// loader will see them. Pure code (no windows.h), so it is fuzzed natively.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pe {

struct Import {
  std::string dll;      // as written in the import directory
  std::string name;     // empty when bound by ordinal
  uint16_t ordinal = 0; // set when bound by ordinal
  bool byOrdinal() const { return name.empty(); }
};

struct Image {
  std::vector<std::string> exportNames;      // sorted, as in the name table
  std::vector<uint16_t> exportOrdinals;      // biased ordinal of each name
  std::vector<Import> imports;
};

// Parses a PE image. Returns nothing when the bytes are not a well-formed
// 32-bit image; never reads outside `bytes`.
std::optional<Image> parse(const std::vector<uint8_t>& bytes);
std::optional<Image> parseFile(const std::string& path);

// The biased ordinal of an exported name, or 0 when not exported.
uint16_t ordinalOf(const Image& img, const std::string& name);

} // namespace pe
