#include "http/IdNumbers.h"

TIdNumberText IdReadInt64(const std::string& text, std::int64_t& value)
{
    std::size_t i = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size())
        return TIdNumberText::NotANumber;
    std::int64_t result = 0;
    bool fits = true;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return TIdNumberText::NotANumber;
        if (result > (INT64_MAX - 9) / 10)
            fits = false;
        else
            result = result * 10 + (text[i] - '0');
    }
    if (!fits)
        return TIdNumberText::TooLarge;
    value = text[0] == '-' ? -result : result;
    return TIdNumberText::Number;
}

bool IdParseInt64(const std::string& text, std::int64_t& value)
{
    return IdReadInt64(text, value) == TIdNumberText::Number;
}
