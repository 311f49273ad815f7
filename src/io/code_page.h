#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// The 8-bit code pages the unit's memo text is kept in.
enum class CodePage { Western1252, CentralEuropean1250 };

// Czech memos are written in code page 1250, all others in 1252.
[[nodiscard]] CodePage memoCodePage(int language);

[[nodiscard]] std::string codePageToUtf8(std::string_view bytes, CodePage page);
// Characters the code page cannot hold become '?'.
[[nodiscard]] std::string utf8ToCodePage(std::string_view text, CodePage page);

} // namespace quorvel
