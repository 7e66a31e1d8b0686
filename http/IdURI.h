// An absolute (or relative) URL split into the pieces the HTTP client needs,
// and the merge of a new URL into the client's current one.
#pragma once

#include <string>

struct TIdURI {
    std::string Protocol;
    std::string Username;
    std::string Password;
    std::string Host;
    std::string Port;      // text; empty when the URL names none
    std::string Path;      // begins and ends with "/"
    std::string Document;  // last path segment
    std::string Params;    // query including its "?"
    std::string Bookmark;  // fragment without "#"

    static TIdURI Parse(std::string url);
    // path + document + params: what the request line names.
    std::string Target() const { return Path + Document + Params; }
    // Takes over the parts of `next` the way a request to it does.
    void MergeFrom(const TIdURI& next);
};
