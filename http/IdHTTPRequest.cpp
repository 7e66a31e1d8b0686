#include "http/IdHTTPRequest.h"

#include "http/IdHeaderList.h"

#include <utility>

std::string TIdHTTPRequest::Head(const std::string& version) const
{
    const std::string length = ContentLength >= 0 ? std::to_string(ContentLength) : std::string();
    const std::pair<const char*, const std::string*> headers[] = {
        {"Connection", &Connection},
        {"Content-Version", &ContentVersion},
        {"Content-Encoding", &ContentEncoding},
        {"Content-Language", &ContentLanguage},
        {"Content-Type", &ContentType},
        {"Content-Length", &length},
        {"Cache-control", &CacheControl},
        {"Pragma", &Pragma},
        {"Proxy-Connection", &ProxyConnection},
        {"Host", &Host},
        {"Accept", &Accept},
        {"Accept-Charset", &AcceptCharset},
        {"Accept-Encoding", &AcceptEncoding},
        {"Accept-Language", &AcceptLanguage},
        {"From", &From},
        {"Referer", &Referer},
        {"User-Agent", &UserAgent},
        {"Range", &Range},
        {"Authorization", &Authorization},
        {"Cookie", &Cookie},
    };
    std::string head = Method + " " + Target + " HTTP/" + version + "\r\n";
    for (const auto& [name, value] : headers) {
        if (value->empty())
            continue;
        for (const std::string& piece : IdFoldHeaderLine(std::string(name) + ": " + *value))
            head += piece + "\r\n";
    }
    head += "\r\n";
    return head;
}
