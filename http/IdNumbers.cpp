#include "http/IdNumbers.h"

#include <cctype>

bool IdParseInt64(const std::string& text, std::int64_t& value)
{
    if (text.empty())
        return false;
    std::size_t i = text[0] == '-' || text[0] == '+' ? 1 : 0;
    if (i == text.size())
        return false;
    std::int64_t result = 0;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return false;
        if (result > (INT64_MAX - 9) / 10)
            return false;
        result = result * 10 + (text[i] - '0');
    }
    value = text[0] == '-' ? -result : result;
    return true;
}
