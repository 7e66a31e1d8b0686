// Strict decimal reading for header values, status codes and ports.
#pragma once

#include <cstdint>
#include <string>

enum class TIdNumberText { Number, TooLarge, NotANumber };

// Reads an optionally signed run of decimal digits filling the whole text.
// TooLarge when the digits are a number that does not fit; the value is set
// only for a Number.
TIdNumberText IdReadInt64(const std::string& text, std::int64_t& value);

// True exactly when IdReadInt64 reads a Number.
bool IdParseInt64(const std::string& text, std::int64_t& value);
