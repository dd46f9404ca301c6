// Text that came from files, file names or the environment, made safe to show on a terminal: such text may
// hold control characters that would retitle the terminal, move the cursor or start lines that look like the
// program's own, and it may be very long.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vendrel {

// The text with every character that controls a terminal or breaks a line written as an escape: C0 and C1
// controls and DEL as "\xNN" (C1 as "\u0085"-style), the Unicode line and paragraph separators and the
// direction overrides as "\u2028"-style, and bytes that are not UTF-8 as "\xNN". Printable text, backslashes
// included, is kept as it is.
std::string printableText(std::string_view text);

// The text made printable and, when it is longer than maxCharacters characters, cut to that many followed by
// "..." and the number of bytes left out, so that a message quoting it stays on one line.
std::string shortText(std::string_view text, size_t maxCharacters = 64);

} // namespace vendrel
