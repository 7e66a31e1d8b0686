#include "http/IdText.h"

#include <algorithm>

namespace {

char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameLetter(char x, char y) { return FoldCase(x) == FoldCase(y); }

}  // namespace

bool IdSameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), SameLetter);
}

bool IdContainsText(std::string_view text, std::string_view word)
{
    return word.empty() || std::search(text.begin(), text.end(), word.begin(), word.end(), SameLetter) != text.end();
}

bool IdEndsWithText(std::string_view text, std::string_view tail)
{
    return text.size() >= tail.size() && IdSameText(text.substr(text.size() - tail.size()), tail);
}

std::string IdTrim(const std::string& text)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    return text.substr(begin, end - begin);
}
