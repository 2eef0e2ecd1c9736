#include "cli/Json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace cli {

void appendJsonString(std::string& out, std::string_view text)
{
    static const char hex[] = "0123456789abcdef";
    out += '"';
    for (char ch : text) {
        auto byte = static_cast<unsigned char>(ch);
        switch (byte) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (byte < 0x20 || byte >= 0x7F) {
                out += "\\u00";
                out += hex[byte >> 4];
                out += hex[byte & 0xF];
            } else {
                out += ch;
            }
        }
    }
    out += '"';
}

void JsonWriter::separate()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_first.empty()) {
        if (!m_first.back())
            m_out += ',';
        m_first.back() = false;
    }
}

JsonWriter& JsonWriter::beginObject()
{
    separate();
    m_out += '{';
    m_first.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endObject()
{
    m_first.pop_back();
    m_out += '}';
    return *this;
}

JsonWriter& JsonWriter::beginArray()
{
    separate();
    m_out += '[';
    m_first.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::endArray()
{
    m_first.pop_back();
    m_out += ']';
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name)
{
    separate();
    appendJsonString(m_out, name);
    m_out += ':';
    m_afterKey = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text)
{
    separate();
    appendJsonString(m_out, text);
    return *this;
}

JsonWriter& JsonWriter::value(std::int64_t number)
{
    separate();
    m_out += std::to_string(number);
    return *this;
}

JsonWriter& JsonWriter::value(double number)
{
    separate();
    if (!std::isfinite(number)) {
        m_out += "null";
        return *this;
    }
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, number);
    m_out.append(buf, res.ptr);
    return *this;
}

JsonWriter& JsonWriter::value(bool flag)
{
    separate();
    m_out += flag ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::null()
{
    separate();
    m_out += "null";
    return *this;
}

JsonWriter& JsonWriter::stringArray(const std::vector<std::string>& items)
{
    beginArray();
    for (const auto& item : items)
        value(item);
    return endArray();
}

bool JsonValue::asBool() const
{
    if (!isBool())
        throw JsonError("expected true or false");
    return std::get<bool>(data);
}

std::int64_t JsonValue::asInt() const
{
    if (!isInt())
        throw JsonError("expected an integer");
    return std::get<std::int64_t>(data);
}

const std::string& JsonValue::asString() const
{
    if (!isString())
        throw JsonError("expected a string");
    return std::get<std::string>(data);
}

const JsonValue::Array& JsonValue::asArray() const
{
    if (!isArray())
        throw JsonError("expected an array");
    return *std::get<std::shared_ptr<Array>>(data);
}

const JsonValue::Object& JsonValue::asObject() const
{
    if (!isObject())
        throw JsonError("expected an object");
    return *std::get<std::shared_ptr<Object>>(data);
}

const JsonValue* JsonValue::find(std::string_view name) const
{
    const auto& object = asObject();
    auto it = object.find(name);
    return it == object.end() ? nullptr : &it->second;
}

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : m_text(text) {}

    JsonValue document()
    {
        JsonValue v = value(0);
        skipBlanks();
        if (m_pos != m_text.size())
            fail("unexpected text after the document");
        return v;
    }

private:
    [[noreturn]] void fail(const char* what) const
    {
        throw JsonError(std::string("JSON: ") + what + " at offset " + std::to_string(m_pos));
    }

    void skipBlanks()
    {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' ||
                                         m_text[m_pos] == '\n' || m_text[m_pos] == '\r'))
            ++m_pos;
    }

    bool consume(std::string_view word)
    {
        if (m_text.substr(m_pos, word.size()) != word)
            return false;
        m_pos += word.size();
        return true;
    }

    JsonValue value(int depth)
    {
        if (depth > 256)
            fail("nesting too deep");
        skipBlanks();
        if (m_pos >= m_text.size())
            fail("unexpected end");
        char ch = m_text[m_pos];
        JsonValue v;
        if (ch == '{') {
            ++m_pos;
            auto object = std::make_shared<JsonValue::Object>();
            skipBlanks();
            if (consume("}")) {
                v.data = object;
                return v;
            }
            for (;;) {
                skipBlanks();
                if (m_pos >= m_text.size() || m_text[m_pos] != '"')
                    fail("expected a member name");
                std::string name = string();
                skipBlanks();
                if (!consume(":"))
                    fail("expected ':'");
                (*object)[name] = value(depth + 1);
                skipBlanks();
                if (consume("}"))
                    break;
                if (!consume(","))
                    fail("expected ',' or '}'");
            }
            v.data = object;
        } else if (ch == '[') {
            ++m_pos;
            auto array = std::make_shared<JsonValue::Array>();
            skipBlanks();
            if (consume("]")) {
                v.data = array;
                return v;
            }
            for (;;) {
                array->push_back(value(depth + 1));
                skipBlanks();
                if (consume("]"))
                    break;
                if (!consume(","))
                    fail("expected ',' or ']'");
            }
            v.data = array;
        } else if (ch == '"') {
            v.data = string();
        } else if (consume("true")) {
            v.data = true;
        } else if (consume("false")) {
            v.data = false;
        } else if (consume("null")) {
            v.data = nullptr;
        } else if (ch == '-' || (ch >= '0' && ch <= '9')) {
            v = number();
        } else {
            fail("unexpected character");
        }
        return v;
    }

    JsonValue number()
    {
        std::size_t start = m_pos;
        if (m_text[m_pos] == '-')
            ++m_pos;
        bool integral = true;
        while (m_pos < m_text.size()) {
            char ch = m_text[m_pos];
            if (ch >= '0' && ch <= '9') {
                ++m_pos;
            } else if (ch == '.' || ch == 'e' || ch == 'E' || ch == '+' || ch == '-') {
                integral = false;
                ++m_pos;
            } else {
                break;
            }
        }
        std::string_view digits = m_text.substr(start, m_pos - start);
        JsonValue v;
        if (integral) {
            std::int64_t n = 0;
            auto res = std::from_chars(digits.data(), digits.data() + digits.size(), n);
            if (res.ec != std::errc() || res.ptr != digits.data() + digits.size())
                fail("bad number");
            v.data = n;
        } else {
            double d = 0;
            auto res = std::from_chars(digits.data(), digits.data() + digits.size(), d);
            if (res.ec != std::errc() || res.ptr != digits.data() + digits.size())
                fail("bad number");
            v.data = d;
        }
        return v;
    }

    unsigned hex4()
    {
        if (m_pos + 4 > m_text.size())
            fail("short \\u escape");
        unsigned code = 0;
        for (int i = 0; i < 4; ++i) {
            char ch = m_text[m_pos++];
            code <<= 4;
            if (ch >= '0' && ch <= '9')
                code |= static_cast<unsigned>(ch - '0');
            else if (ch >= 'a' && ch <= 'f')
                code |= static_cast<unsigned>(ch - 'a' + 10);
            else if (ch >= 'A' && ch <= 'F')
                code |= static_cast<unsigned>(ch - 'A' + 10);
            else
                fail("bad \\u escape");
        }
        return code;
    }

    std::string string()
    {
        ++m_pos; // opening quote
        std::string out;
        for (;;) {
            if (m_pos >= m_text.size())
                fail("unterminated string");
            char ch = m_text[m_pos++];
            if (ch == '"')
                return out;
            if (ch != '\\') {
                out += ch;
                continue;
            }
            if (m_pos >= m_text.size())
                fail("unterminated string");
            char esc = m_text[m_pos++];
            switch (esc) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u': {
                unsigned code = hex4();
                if (code > 0xFF)
                    fail("character above \\u00ff has no 8-bit form");
                out += static_cast<char>(code);
                break;
            }
            default: fail("bad escape");
            }
        }
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

} // namespace

JsonValue parseJson(std::string_view text)
{
    return Parser(text).document();
}

} // namespace cli
