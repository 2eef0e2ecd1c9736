#pragma once
// Text helpers and the framework's error type.
//
// Text is 8-bit: a std::string holds bytes of the ANSI code page and is never decoded.
// Names (of components, properties, enumeration members) are compared without regard to the
// letter case of the ASCII letters, as the language files and the stored layouts expect.
//
// The framework's own message texts have numbers, so that a localization layer can replace
// them: frameworkText(id) returns the text through the loader installed with
// setFrameworkTextLoader, or the built-in English text when none is installed.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ui {

// True when a and b are equal apart from the letter case of A..Z and a..z.
bool sameText(std::string_view a, std::string_view b);

// a to z turned into A to Z; every other byte unchanged.
std::string upperCase(std::string_view text);

// Replaces the first "%s" or "%d" of pattern with arg (every other "%" is kept as it is).
std::string formatText(std::string_view pattern, std::string_view arg);
std::string formatText(std::string_view pattern, std::int64_t arg);

// An error inside a user action. what() is the fixed text the user sees in the error box.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An index outside a list: "List index out of bounds (%d)".
class ListIndexError : public Error {
public:
    explicit ListIndexError(std::int64_t index);
};

// Numbers of the framework's message texts.
enum FrameworkTextId : std::uint32_t {
    // "%s" is the component name.
    SInvalidComponentName = 65400,
    SDuplicateComponentName = 65401,
    SImageTooLarge = 65402,
    SListIndexError = 65414,
    SInvalidPropertyElement = 65439,
};

// The built-in English text of a framework message; empty for an unknown number.
std::string builtInFrameworkText(std::uint32_t id);

// A loader gets the number and the built-in text and returns the text to use.
using FrameworkTextLoader =
    std::function<std::string(std::uint32_t id, const std::string& builtIn)>;

// Installs the loader used by frameworkText (an empty function restores the built-in texts).
// Returns the previous one.
FrameworkTextLoader setFrameworkTextLoader(FrameworkTextLoader loader);

// The text of a framework message, through the installed loader.
std::string frameworkText(std::uint32_t id);

} // namespace ui
