// Standard Base64 (RFC 2045 alphabet, "=" padding, no line breaks).
#pragma once

#include <string>

std::string IdEncodeBase64(const std::string& bytes);
