#pragma once
// Small text helpers of the simulated phone's command handlers.
#include <cctype>
#include <cstdlib>
#include <string>

namespace sim {

inline std::string Gross(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

inline std::string Klein(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A whole decimal number of up to six digits; false for anything else (an empty text too).
inline bool Zahl(const std::string& text, int& wert)
{
    if (text.empty() || text.size() > 6)
        return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    wert = std::atoi(text.c_str());
    return true;
}

inline std::string Ohne_Anfuehrung(const std::string& text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

// The value of a hexadecimal digit; -1 for any other character.
inline int Hexwert(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

}  // namespace sim
