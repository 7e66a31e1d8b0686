#include "http/IdURI.h"

#include "http/IdText.h"

#include <algorithm>

namespace {

void SplitAuthority(const std::string& authority, TIdURI& uri)
{
    std::string hostPort = authority;
    std::size_t at = authority.rfind('@');
    if (at != std::string::npos) {
        std::string user = authority.substr(0, at);
        hostPort = authority.substr(at + 1);
        std::size_t colon = user.find(':');
        uri.Username = user.substr(0, colon);
        if (colon != std::string::npos)
            uri.Password = user.substr(colon + 1);
    }
    if (!hostPort.empty() && hostPort[0] == '[') {
        std::size_t close = hostPort.find(']');
        if (close != std::string::npos) {
            uri.Host = hostPort.substr(1, close - 1);
            if (close + 1 < hostPort.size() && hostPort[close + 1] == ':')
                uri.Port = hostPort.substr(close + 2);
            return;
        }
    }
    std::size_t colon = hostPort.find(':');
    uri.Host = hostPort.substr(0, colon);
    if (colon != std::string::npos)
        uri.Port = hostPort.substr(colon + 1);
}

void SplitPathPart(const std::string& pathPart, TIdURI& uri)
{
    std::size_t query = pathPart.find('?');
    if (query == std::string::npos)
        query = pathPart.find('=');
    std::string beforeQuery = pathPart.substr(0, query);
    if (query != std::string::npos)
        uri.Params = pathPart.substr(query);
    std::size_t lastSlash = beforeQuery.rfind('/');
    std::string directory = lastSlash == std::string::npos ? "" : beforeQuery.substr(0, lastSlash + 1);
    uri.Document = lastSlash == std::string::npos ? beforeQuery : beforeQuery.substr(lastSlash + 1);
    uri.Path = directory;
    std::size_t hash = uri.Document.find('#');
    if (hash != std::string::npos) {
        uri.Bookmark = uri.Document.substr(hash + 1);
        uri.Document.erase(hash);
    } else if ((hash = uri.Params.find('#')) != std::string::npos) {
        uri.Bookmark = uri.Params.substr(hash + 1);
        uri.Params.erase(hash);
    }
}

// Joins a relative path to the directory it is relative to.
std::string ResolvePath(const std::string& base, const std::string& relative)
{
    if (!relative.empty() && relative[0] == '/')
        return relative;
    return (base.empty() ? std::string("/") : base) + relative;
}

}  // namespace

TIdURI TIdURI::Parse(std::string url)
{
    std::replace(url.begin(), url.end(), '\\', '/');
    TIdURI uri;
    std::size_t scheme = url.find("://");
    std::string pathPart;
    if (scheme != std::string::npos) {
        uri.Protocol = url.substr(0, scheme);
        std::string rest = url.substr(scheme + 3);
        std::size_t slash = rest.find('/');
        SplitAuthority(rest.substr(0, slash), uri);
        pathPart = slash == std::string::npos ? "" : rest.substr(slash + 1);
        SplitPathPart(pathPart, uri);
        uri.Path = "/" + uri.Path;
    } else {
        SplitPathPart(url, uri);
    }
    return uri;
}

void TIdURI::MergeFrom(const TIdURI& next)
{
    Path = ResolvePath(Path, next.Path);
    Document = next.Document;
    Params = next.Params;
    Bookmark = next.Bookmark;
    if (!next.Host.empty())
        Host = next.Host;
    if (!next.Protocol.empty())
        Protocol = next.Protocol;
    if (!next.Port.empty())
        Port = next.Port;
    else if (IdSameText(next.Protocol, "http"))
        Port = "80";
    else if (IdSameText(next.Protocol, "https"))
        Port = "443";
}
