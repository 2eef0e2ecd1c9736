#include "i18n/ValueDecoding.h"

#include <charconv>
#include <cmath>

namespace i18n {

namespace {

constexpr char kQuote = '\'';

bool isBlank(char ch)
{
    return static_cast<unsigned char>(ch) <= ' ';
}

bool isDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

int hexDigit(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

} // namespace

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string UnquoteValue(std::string_view value)
{
    std::string out;
    const std::size_t n = value.size();
    if (n < 2)
        return out;
    bool inside = false;
    for (std::size_t i = 0; i < n; ++i) {
        char ch = value[i];
        if (ch == kQuote) {
            if (i == 0) {
                inside = true;
            } else if (i + 1 < n && value[i + 1] == kQuote) {
                if (inside)
                    out += kQuote;
                ++i;
            } else {
                if (inside && i + 1 < n && value[i + 1] != '#')
                    return {};
                inside = !inside;
            }
        } else if (ch == '#' && !inside) {
            std::size_t j = i + 1;
            unsigned code = 0;
            while (j < n && isDigit(value[j])) {
                code = (code * 10 + static_cast<unsigned>(value[j] - '0')) % 256;
                ++j;
            }
            out += static_cast<char>(j == i + 1 ? 255 : code);
            i = j - 1;
        } else {
            out += ch;
        }
    }
    if (inside)
        return {};
    return out;
}

std::vector<std::string> decodeStringList(std::string_view value)
{
    std::vector<std::string> items;
    std::size_t i = 0;
    const std::size_t n = value.size();
    auto skipBlanks = [&] {
        while (i < n && isBlank(value[i]))
            ++i;
    };
    skipBlanks();
    while (i < n) {
        std::string item;
        if (value[i] == kQuote) {
            ++i;
            while (i < n) {
                if (value[i] == kQuote) {
                    if (i + 1 < n && value[i + 1] == kQuote) {
                        item += kQuote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += value[i++];
            }
        } else {
            std::size_t start = i;
            while (i < n && !isBlank(value[i]) && value[i] != ',')
                ++i;
            item.assign(value.substr(start, i - start));
        }
        items.push_back(std::move(item));
        skipBlanks();
        if (i < n && value[i] == ',') {
            if (i + 1 == n)
                items.emplace_back();
            ++i;
            skipBlanks();
        }
    }
    return items;
}

std::optional<std::int32_t> decodeInteger(std::string_view value)
{
    bool hex = false;
    if (!value.empty() && value.front() == '$') {
        hex = true;
        value.remove_prefix(1);
    } else if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
        hex = true;
        value.remove_prefix(2);
    }
    if (hex) {
        if (value.empty())
            return std::nullopt;
        std::uint64_t n = 0;
        for (char ch : value) {
            int d = hexDigit(ch);
            if (d < 0)
                return std::nullopt;
            n = n * 16 + static_cast<unsigned>(d);
            if (n > 0xFFFFFFFFu)
                return std::nullopt;
        }
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(n));
    }
    bool negative = false;
    if (!value.empty() && (value.front() == '+' || value.front() == '-')) {
        negative = value.front() == '-';
        value.remove_prefix(1);
    }
    if (value.empty())
        return std::nullopt;
    std::int64_t n = 0;
    for (char ch : value) {
        if (!isDigit(ch))
            return std::nullopt;
        n = n * 10 + (ch - '0');
        if (n > 2147483648LL)
            return std::nullopt;
    }
    if (negative)
        n = -n;
    if (n > 2147483647LL)
        return std::nullopt;
    return static_cast<std::int32_t>(n);
}

std::optional<double> decodeFloat(std::string_view value, char separator)
{
    // Checks the notation first, then converts a copy with "." as the separator, so that the
    // conversion does not depend on the C locale.
    std::string text;
    std::size_t i = 0;
    const std::size_t n = value.size();
    if (i < n && (value[i] == '+' || value[i] == '-')) {
        if (value[i] == '-')
            text += '-';
        ++i;
    }
    std::size_t digits = 0;
    while (i < n && isDigit(value[i])) {
        text += value[i++];
        ++digits;
    }
    if (i < n && value[i] == separator) {
        text += '.';
        ++i;
        while (i < n && isDigit(value[i])) {
            text += value[i++];
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < n && (value[i] == 'e' || value[i] == 'E')) {
        text += 'e';
        ++i;
        if (i < n && (value[i] == '+' || value[i] == '-'))
            text += value[i++];
        std::size_t exponentDigits = 0;
        while (i < n && isDigit(value[i])) {
            text += value[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    double result = 0;
    auto res = std::from_chars(text.data(), text.data() + text.size(), result);
    if (res.ec != std::errc() || res.ptr != text.data() + text.size() || !std::isfinite(result))
        return std::nullopt;
    return result;
}

} // namespace i18n
