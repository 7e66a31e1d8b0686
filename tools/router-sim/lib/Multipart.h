#pragma once
// A strict multipart/form-data reader for the simulated router: it checks
// the framing the client is expected to produce instead of guessing.

#include <string>
#include <vector>

namespace testsupport {

struct MultipartPart {
    std::string name;      // form field name
    std::string filename;  // as sent, unescaped
    std::string contentType;
    std::string data;
};

struct MultipartBody {
    bool wellFormed = false;  // every delimiter in place and the closing one last
    std::string error;        // why not, when it is not
    std::vector<MultipartPart> parts;
};

// `contentType` is the request's Content-Type value.
MultipartBody ParseMultipart(const std::string& contentType, const std::string& body);

// The boundary parameter of a multipart Content-Type, or "" when absent.
std::string BoundaryOf(const std::string& contentType);

}  // namespace testsupport
