#pragma once
#include <string>

namespace testsupport {

// Lower-case hexadecimal MD5 digest of all bytes of `data` (OpenSSL).
std::string Md5Hex(const std::string& data);

}  // namespace testsupport
