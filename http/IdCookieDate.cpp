// Expiry dates of cookies. Servers write them in several historic forms;
// all are read by picking out the day, month name, year and time tokens.
#include "http/IdCookieManager.h"

#include "http/IdText.h"

#include <cctype>

namespace {

int MonthNumber(const std::string& token)
{
    static const char* const kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                          "jul", "aug", "sep", "oct", "nov", "dec"};
    if (token.size() < 3)
        return 0;
    for (int m = 0; m < 12; ++m)
        if (IdSameText(std::string_view(token).substr(0, 3), kMonths[m]))
            return m + 1;
    return 0;
}

bool AllDigits(const std::string& token)
{
    if (token.empty())
        return false;
    for (char c : token)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

bool ParseTime(const std::string& token, int& hour, int& minute, int& second)
{
    int parts[3] = {0, 0, 0};
    int index = 0;
    std::size_t start = 0;
    while (index < 3) {
        std::size_t end = token.find(':', start);
        std::string piece = token.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!AllDigits(piece) || piece.size() > 2)
            return false;
        parts[index++] = std::stoi(piece);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    if (index < 2)
        return false;
    hour = parts[0];
    minute = parts[1];
    second = parts[2];
    return hour < 24 && minute < 60 && second < 61;
}

}  // namespace

std::optional<std::time_t> IdParseCookieDate(const std::string& text)
{
    std::vector<std::string> tokens;
    std::string current;
    for (char c : text) {
        if (c == ' ' || c == ',' || c == '-' || c == '\t') {
            if (!current.empty())
                tokens.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        tokens.push_back(current);

    int day = 0, month = 0, year = -1, hour = -1, minute = 0, second = 0;
    for (const std::string& token : tokens) {
        if (hour < 0 && token.find(':') != std::string::npos) {
            if (!ParseTime(token, hour, minute, second))
                return std::nullopt;
        } else if (month == 0 && MonthNumber(token) != 0 && !AllDigits(token)) {
            month = MonthNumber(token);
        } else if (AllDigits(token) && token.size() <= 2 && day == 0) {
            day = std::stoi(token);
        } else if (AllDigits(token) && (token.size() == 2 || token.size() == 4) && year < 0) {
            year = std::stoi(token);
            if (token.size() == 2)
                year += year < 70 ? 2000 : 1900;
        }
    }
    if (day < 1 || day > 31 || month == 0 || year < 1601 || year > 9999 || hour < 0)
        return std::nullopt;

    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    return static_cast<std::time_t>(::timegm(&parts));
}
