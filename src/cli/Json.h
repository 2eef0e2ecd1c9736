#pragma once
// JSON for kestrion-cli: a writer and a reader for the small documents the tool prints and
// takes. Text in Kestrion is 8-bit: every byte of a string is one character. The writer
// prints a byte 0x80..0xFF as the JSON escape of the code point with that value (\u00e9
// for 0xE9), and the reader turns such an escape back into the byte; a code point above
// 0xFF has no 8-bit form and is refused.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace cli {

// Builds one JSON document. Members and elements are separated automatically; the caller
// opens and closes objects and arrays in matching pairs.
class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    // Starts a member of the current object; the next value written is its value.
    JsonWriter& key(std::string_view name);
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(const std::string& text) { return value(std::string_view(text)); }
    JsonWriter& value(std::int64_t number);
    JsonWriter& value(int number) { return value(static_cast<std::int64_t>(number)); }
    JsonWriter& value(double number);
    JsonWriter& value(bool flag);
    JsonWriter& null();

    // Shorthands for a member with its value.
    template <typename T>
    JsonWriter& member(std::string_view name, const T& v)
    {
        key(name);
        return value(v);
    }
    JsonWriter& stringArray(const std::vector<std::string>& items);

    const std::string& str() const { return m_out; }

private:
    void separate();
    std::string m_out;
    std::vector<bool> m_first; // per open container: no element written yet
    bool m_afterKey = false;
};

// Appends the JSON string literal for 8-bit text, quotes included.
void appendJsonString(std::string& out, std::string_view text);

// A parsed JSON value. Numbers keep their integer form when they have one.
struct JsonValue {
    using Object = std::map<std::string, JsonValue, std::less<>>;
    using Array = std::vector<JsonValue>;
    std::variant<std::nullptr_t, bool, std::int64_t, double, std::string, std::shared_ptr<Array>,
                 std::shared_ptr<Object>>
        data = nullptr;

    bool isNull() const { return std::holds_alternative<std::nullptr_t>(data); }
    bool isBool() const { return std::holds_alternative<bool>(data); }
    bool isInt() const { return std::holds_alternative<std::int64_t>(data); }
    bool isString() const { return std::holds_alternative<std::string>(data); }
    bool isArray() const { return std::holds_alternative<std::shared_ptr<Array>>(data); }
    bool isObject() const { return std::holds_alternative<std::shared_ptr<Object>>(data); }

    // Typed access; each throws JsonError naming the expected type on a mismatch.
    bool asBool() const;
    std::int64_t asInt() const;
    const std::string& asString() const;
    const Array& asArray() const;
    const Object& asObject() const;
    // The member of an object, or nullptr when absent.
    const JsonValue* find(std::string_view name) const;
};

class JsonError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Parses one complete document. Throws JsonError with the byte offset on malformed input,
// on a string escape above \u00ff, and on nesting deeper than 256 levels.
JsonValue parseJson(std::string_view text);

} // namespace cli
