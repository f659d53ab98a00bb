// The host's pattern match and tokenizer. Pure C++ (no windows.h).
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace hostrt {

// Offset of the first match of the pattern in the text (case-insensitive;
// '%' any run, '_' any one character, '\' quotes the next), -1 when none.
long textMatch(std::string_view text, std::string_view pattern);

// Tokens: skip start delimiters, then up to an end delimiter (consumed) or
// the end; an empty rest at the end is no token.
std::vector<std::string> tokenize(std::string_view text, std::string_view startDelims, std::string_view endDelims);

} // namespace hostrt
