#include "tools/router-sim/lib/Multipart.h"

#include "tools/router-sim/lib/HttpMessage.h"

namespace testsupport {

namespace {

// Value of `key="..."` in a Content-Disposition line. The closing quote is
// the last quote before the next "; " parameter or the line end, so a file
// name that itself contains a double quote survives.
std::string QuotedParameter(const std::string& line, const std::string& key)
{
    std::string marker = key + "=\"";
    std::size_t at = 0;
    for (;;) {
        at = line.find(marker, at);
        if (at == std::string::npos)
            return {};
        if (at > 0 && (line[at - 1] == ' ' || line[at - 1] == ';'))
            break;
        at += marker.size();
    }
    std::size_t start = at + marker.size();
    std::size_t next = line.find("\"; ", start);
    std::size_t end = next != std::string::npos ? next : line.rfind('"');
    if (end == std::string::npos || end < start)
        return {};
    return line.substr(start, end - start);
}

}  // namespace

std::string BoundaryOf(const std::string& contentType)
{
    std::size_t semi = contentType.find(';');
    if (!EqualsIgnoreCase(Trim(contentType.substr(0, semi)), "multipart/form-data"))
        return {};
    std::size_t at = contentType.find("boundary=", semi == std::string::npos ? 0 : semi);
    if (at == std::string::npos)
        return {};
    std::string value = contentType.substr(at + 9);
    value = Trim(value.substr(0, value.find(';')));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return value;
}

MultipartBody ParseMultipart(const std::string& contentType, const std::string& body)
{
    MultipartBody result;
    const std::string boundary = BoundaryOf(contentType);
    if (boundary.empty()) {
        result.error = "no multipart boundary in Content-Type";
        return result;
    }
    const std::string first = "--" + boundary + "\r\n";
    const std::string between = "\r\n--" + boundary;
    if (body.compare(0, first.size(), first) != 0) {
        result.error = "body does not start with the delimiter line";
        return result;
    }
    std::size_t pos = first.size();
    for (;;) {
        std::size_t headEnd = body.find("\r\n\r\n", pos);
        if (headEnd == std::string::npos) {
            result.error = "part header without a blank line";
            return result;
        }
        MultipartPart part;
        std::string head = body.substr(pos, headEnd - pos + 2);
        for (std::size_t line = 0; line < head.size();) {
            std::size_t eol = head.find("\r\n", line);
            std::string text = head.substr(line, eol - line);
            std::size_t colon = text.find(':');
            std::string name = text.substr(0, colon);
            std::string value = colon == std::string::npos ? "" : Trim(text.substr(colon + 1));
            if (EqualsIgnoreCase(name, "Content-Disposition")) {
                part.name = QuotedParameter(value, "name");
                part.filename = QuotedParameter(value, "filename");
            } else if (EqualsIgnoreCase(name, "Content-Type")) {
                part.contentType = value;
            }
            line = eol + 2;
        }
        std::size_t dataStart = headEnd + 4;
        std::size_t dataEnd = body.find(between, dataStart);
        if (dataEnd == std::string::npos) {
            result.error = "part data without a following delimiter";
            return result;
        }
        part.data = body.substr(dataStart, dataEnd - dataStart);
        result.parts.push_back(std::move(part));
        pos = dataEnd + between.size();
        if (body.compare(pos, 4, "--\r\n") == 0) {
            if (pos + 4 != body.size()) {
                result.error = "bytes after the closing delimiter";
                return result;
            }
            result.wellFormed = true;
            return result;
        }
        if (body.compare(pos, 2, "\r\n") != 0) {
            result.error = "delimiter not followed by CR LF";
            return result;
        }
        pos += 2;
    }
}

}  // namespace testsupport
