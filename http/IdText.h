// Text helpers of the transport. Header names, header tokens, schemes and
// host names compare without regard to case; only ASCII letters fold, so
// the result does not depend on the process's locale.
#pragma once

#include <string>
#include <string_view>

// Equal apart from the case of ASCII letters.
bool IdSameText(std::string_view a, std::string_view b);
// `word` occurs somewhere in `text`, case of ASCII letters ignored.
bool IdContainsText(std::string_view text, std::string_view word);
// `text` ends in `tail`, case of ASCII letters ignored.
bool IdEndsWithText(std::string_view text, std::string_view tail);
// Without leading and trailing blanks and control characters.
std::string IdTrim(const std::string& text);
