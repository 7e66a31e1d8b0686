// Header lines as they travel: "Name: value", in order. Lookups ignore the
// case of the name; continuation lines (starting with a blank or a tab)
// belong to the line before them.
#pragma once

#include "http/IdText.h"

#include <cstddef>
#include <string>
#include <vector>

class TIdHeaderList {
public:
    static constexpr std::size_t FoldLength = 1024;

    // Replaces the line with this name in place, or appends a new one.
    void Set(const std::string& name, const std::string& value);
    // Appends a raw line as received.
    void AddRaw(const std::string& line) { lines_.push_back(line); }
    void Clear() { lines_.clear(); }

    // Value of the first line with this name, continuation lines joined by
    // one blank, outer blanks removed; empty when there is none.
    std::string Value(const std::string& name) const;
    // Values of every line with this name, in order.
    std::vector<std::string> Values(const std::string& name) const;

    const std::vector<std::string>& Lines() const { return lines_; }
    std::size_t Count() const { return lines_.size(); }

private:
    // Index of the name's value start in line i, or npos when line i has another name.
    std::size_t ValueStart(std::size_t i, const std::string& name) const;
    std::string JoinedValue(std::size_t i, std::size_t start) const;

    std::vector<std::string> lines_;
};

// Splits a request header line longer than `limit` at blanks, tabs or commas
// into pieces that fit; each continuation piece starts with one blank.
std::vector<std::string> IdFoldHeaderLine(const std::string& line, std::size_t limit = TIdHeaderList::FoldLength);
