#include "http/IdHeaderList.h"

#include <algorithm>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string TrimRight(std::string text)
{
    while (!text.empty() && IsBlank(text.back()))
        text.pop_back();
    return text;
}

}  // namespace

std::size_t TIdHeaderList::ValueStart(std::size_t i, const std::string& name) const
{
    const std::string& line = lines_[i];
    if (line.size() <= name.size() || line[name.size()] != ':')
        return std::string::npos;
    if (!IdSameText(std::string_view(line).substr(0, name.size()), name))
        return std::string::npos;
    return name.size() + 1;
}

std::string TIdHeaderList::JoinedValue(std::size_t i, std::size_t start) const
{
    std::string value = IdTrim(lines_[i].substr(start));
    for (std::size_t next = i + 1; next < lines_.size() && !lines_[next].empty() && IsBlank(lines_[next][0]); ++next)
        value += " " + IdTrim(lines_[next]);
    return IdTrim(value);
}

void TIdHeaderList::Set(const std::string& name, const std::string& value)
{
    std::string line = name + ": " + value;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (ValueStart(i, name) != std::string::npos) {
            lines_[i] = line;
            return;
        }
    }
    lines_.push_back(line);
}

std::string TIdHeaderList::Value(const std::string& name) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::size_t start = ValueStart(i, name);
        if (start != std::string::npos)
            return JoinedValue(i, start);
    }
    return {};
}

std::vector<std::string> TIdHeaderList::Values(const std::string& name) const
{
    std::vector<std::string> values;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::size_t start = ValueStart(i, name);
        if (start != std::string::npos)
            values.push_back(JoinedValue(i, start));
    }
    return values;
}

std::vector<std::string> IdFoldHeaderLine(const std::string& line, std::size_t limit)
{
    // The unfolded rest is one blank (after the first piece) followed by
    // line[pos..]; it is never copied whole, so folding stays linear.
    std::vector<std::string> pieces;
    std::size_t pos = 0;
    std::size_t lead = 0;
    auto restSize = [&] { return lead + line.size() - pos; };
    auto at = [&](std::size_t i) { return i < lead ? ' ' : line[pos + i - lead]; };
    auto copy = [&](std::size_t count) { return std::string(lead, ' ') + line.substr(pos, count - lead); };
    while (restSize() > limit) {
        // Last break point that keeps the piece within the limit: a comma
        // stays on the piece before the break, a blank or tab is dropped.
        std::size_t breakAt = std::string::npos;
        for (std::size_t i = std::min(limit, restSize() - 1); i > 0; --i) {
            char c = at(i);
            if (c == ',' && i + 1 <= limit) {
                breakAt = i + 1;
                break;
            }
            if (IsBlank(c)) {
                breakAt = i;
                break;
            }
        }
        if (breakAt == std::string::npos)
            break;  // no place to break: sent whole
        std::string piece = TrimRight(copy(breakAt));
        if (piece.empty())
            break;
        std::size_t next = breakAt;
        while (next < restSize() && IsBlank(at(next)))
            ++next;
        if (next == restSize()) {  // only blanks after the break
            pieces.push_back(piece);
            return pieces;
        }
        pieces.push_back(std::move(piece));
        pos += next - lead;
        lead = 1;
    }
    pieces.push_back(TrimRight(copy(restSize())));
    return pieces;
}
