// Strict decimal reading for header values and status codes.
#pragma once

#include <cstdint>
#include <string>

// Reads an optionally signed run of decimal digits filling the whole text.
// Returns false for anything else, and for values that do not fit.
bool IdParseInt64(const std::string& text, std::int64_t& value);
