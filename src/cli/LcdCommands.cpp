#include "cli/LcdCommands.h"

#include "cli/Json.h"
#include "lcd/ChannelLcdLayout.h"
#include "lcd/LCDLabel.h"
#include "ui/Text.h"
#include "ui/headless/HeadlessBackend.h"

#include <array>
#include <charconv>
#include <fstream>
#include <optional>
#include <ostream>

namespace cli {

namespace {

struct LcdOptions {
    std::string out;
    std::optional<std::string> preset;
    std::vector<std::pair<std::string, std::string>> sets;
    std::optional<std::pair<int, int>> size;
};

// Colours a --set may name instead of giving the number.
struct NamedColor {
    std::string_view name;
    ui::TColor value;
};
constexpr std::array<NamedColor, 9> kColorNames = {{{"clBlack", ui::clBlack},
                                                    {"clSilver", ui::clSilver},
                                                    {"clWhite", ui::clWhite},
                                                    {"clRed", ui::clRed},
                                                    {"clLime", ui::clLime},
                                                    {"clBlue", ui::clBlue},
                                                    {"clBtnFace", ui::clBtnFace},
                                                    {"clBtnShadow", ui::clBtnShadow},
                                                    {"clBtnHighlight", ui::clBtnHighlight}}};

// Decimal or 0x hexadecimal, with an optional minus sign.
std::optional<std::int64_t> parseInteger(std::string_view text)
{
    bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    std::uint64_t magnitude = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() ||
        magnitude > (std::uint64_t(1) << 62))
        return std::nullopt;
    return negative ? -std::int64_t(magnitude) : std::int64_t(magnitude);
}

// Sets a published property from its text through the class information, so that the
// property's setter runs as a stored layout would run it.
void setProperty(lcd::TLCDLabel& label, const std::string& name, const std::string& value)
{
    const ui::PropertyInfo* property = ui::findProperty(label, name);
    if (!property)
        throw std::runtime_error("TLCDLabel has no property \"" + name + "\"");
    ui::SetResult result = ui::SetResult::WrongKind;
    switch (property->kind()) {
    case ui::PropertyKind::Text: result = property->setText(label, value); break;
    case ui::PropertyKind::Enumeration: result = property->setIdentifier(label, value); break;
    case ui::PropertyKind::Integer: {
        std::optional<std::int64_t> number = parseInteger(value);
        for (const auto& color : kColorNames)
            if (ui::sameText(color.name, value))
                number = color.value;
        if (!number)
            throw std::runtime_error("invalid value \"" + value + "\" for " + property->name() +
                                     ": expected an integer");
        result = property->setInteger(label, *number);
        break;
    }
    default: break;
    }
    switch (result) {
    case ui::SetResult::Done: return;
    case ui::SetResult::OutOfRange:
        throw std::runtime_error("invalid value \"" + value + "\" for " + property->name() +
                                 ": out of range " + std::to_string(property->lowest()) + ".." +
                                 std::to_string(property->highest()));
    case ui::SetResult::NotAMember: {
        std::string known;
        for (const auto& id : property->identifiers())
            known += (known.empty() ? "" : ", ") + id;
        throw std::runtime_error("invalid value \"" + value + "\" for " + property->name() +
                                 ": expected one of " + known);
    }
    default:
        throw std::runtime_error("property " + property->name() +
                                 " cannot be set from the command line");
    }
}

// The image as a binary PPM (P6, maxval 255).
std::string encodePpm(const ui::Raster& image)
{
    std::string out =
        "P6\n" + std::to_string(image.width()) + " " + std::to_string(image.height()) + "\n255\n";
    out.reserve(out.size() + image.pixels().size() * 3);
    for (std::uint32_t pixel : image.pixels()) {
        out += char(pixel & 0xFF);
        out += char((pixel >> 8) & 0xFF);
        out += char((pixel >> 16) & 0xFF);
    }
    return out;
}

std::optional<std::pair<int, int>> parseSize(const std::string& text)
{
    auto x = text.find_first_of("xX");
    if (x == std::string::npos)
        return std::nullopt;
    try {
        std::size_t used = 0;
        int w = std::stoi(text.substr(0, x), &used);
        if (used != x)
            return std::nullopt;
        std::string rest = text.substr(x + 1);
        int h = std::stoi(rest, &used);
        if (used != rest.size() || w < 0 || h < 0)
            return std::nullopt;
        return std::pair{w, h};
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

LcdOptions parseOptions(const Args& args, std::size_t from, bool allowLayout)
{
    LcdOptions options;
    for (std::size_t i = from; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size())
                throw UsageError(arg + " needs a value");
            return args[++i];
        };
        if (arg == "--out") {
            options.out = value();
        } else if (arg == "--set") {
            const std::string& assignment = value();
            auto eq = assignment.find('=');
            if (eq == std::string::npos || eq == 0)
                throw UsageError("--set takes NAME=VALUE, not \"" + assignment + "\"");
            options.sets.emplace_back(assignment.substr(0, eq), assignment.substr(eq + 1));
        } else if (allowLayout && arg == "--preset") {
            options.preset = value();
            if (*options.preset != "ChannelLCD")
                throw UsageError("unknown preset \"" + *options.preset + "\" (known: ChannelLCD)");
        } else if (allowLayout && arg == "--size") {
            options.size = parseSize(value());
            if (!options.size)
                throw UsageError("--size takes WIDTHxHEIGHT, for example 300x60");
        } else {
            throw UsageError("unknown option \"" + arg + "\"");
        }
    }
    if (options.out.empty())
        throw UsageError("--out FILE is required");
    return options;
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file)
        file.write(bytes.data(), std::streamsize(bytes.size()));
    if (file)
        file.close();
    if (!file)
        throw std::runtime_error("cannot write " + path);
}

void writeProperties(JsonWriter& json, const lcd::TLCDLabel& label)
{
    for (const ui::PropertyInfo* property : label.classInfo().properties()) {
        switch (property->kind()) {
        case ui::PropertyKind::Text: json.member(property->name(), *property->text(label)); break;
        case ui::PropertyKind::Integer:
            json.member(property->name(), *property->integer(label));
            break;
        case ui::PropertyKind::Enumeration:
            if (property->identifiers() == std::vector<std::string>{"False", "True"})
                json.member(property->name(), *property->ordinal(label) != 0);
            else
                json.member(property->name(), *property->identifier(label));
            break;
        default: break; // events and objects have no value to print
        }
    }
}

struct Session {
    ui::headless::HeadlessBackend backend; // records the error boxes of refused values
    ui::ComponentPtr<lcd::TLCDLabel> label = ui::makeComponent<lcd::TLCDLabel>(nullptr);

    std::vector<std::string> rejected() const
    {
        std::vector<std::string> messages;
        for (const auto& box : backend.messageBoxes())
            messages.push_back(box.text);
        return messages;
    }
};

int runRender(const Args& args, Io& io)
{
    LcdOptions options = parseOptions(args, 1, true);
    Session session;
    lcd::TLCDLabel& label = *session.label;
    if (options.preset)
        lcd::applyChannelLcdLayout(label);
    for (const auto& [name, value] : options.sets)
        setProperty(label, name, value);
    if (options.size)
        label.setBounds(label.left(), label.top(), options.size->first, options.size->second);
    label.Paint();

    writeFile(options.out, encodePpm(label.surface()));

    JsonWriter json;
    json.beginObject();
    writeProperties(json, label);
    json.key("Rejected").stringArray(session.rejected());
    json.endObject();
    io.out << json.str() << '\n';
    return 0;
}

int runSheet(const Args& args, Io& io)
{
    LcdOptions options = parseOptions(args, 1, false);
    Session session;
    lcd::TLCDLabel& label = *session.label;
    for (const auto& [name, value] : options.sets)
        setProperty(label, name, value);
    label.setNoOfChars(1);
    label.setTextLines(1);
    label.Paint();

    // One one-cell picture per code, sixteen to a row: the blank control with the code's glyph
    // drawn into its cell. The glyph is drawn by its code, not set as a caption, since a
    // caption is text whose letters the control shows as its set draws them.
    label.setCaption("");
    label.Paint();
    const ui::Raster blank = label.surface();
    const lcd::DotGrid grid = label.dotLayout().design;
    const int first = label.FirstChar();
    const int last = label.LastChar();
    const int count = last >= first ? last - first + 1 : 0;
    const int columns = 16;
    const int rows = (count + columns - 1) / columns;
    const int cellWidth = label.width();
    const int cellHeight = label.height();
    ui::Raster sheet(columns * cellWidth, rows * cellHeight);
    sheet.fillRect(sheet.bounds(), ui::clWhite);
    for (int i = 0; i < count; ++i) {
        ui::Raster cell = blank;
        label.DrawChar(cell, grid.originX, grid.originY, first + i);
        const int x0 = (i % columns) * cellWidth;
        const int y0 = (i / columns) * cellHeight;
        for (int y = 0; y < cell.height(); ++y)
            for (int x = 0; x < cell.width(); ++x)
                sheet.setPixel(x0 + x, y0 + y, cell.pixel(x, y));
    }
    writeFile(options.out, encodePpm(sheet));

    JsonWriter json;
    json.beginObject()
        .member("DotMatrix", lcd::dotMatrixIdentifiers[std::size_t(label.DotMatrix())])
        .member("FirstChar", first)
        .member("LastChar", last)
        .member("Columns", columns)
        .member("Rows", rows)
        .member("CellWidth", cellWidth)
        .member("CellHeight", cellHeight);
    json.key("Rejected").stringArray(session.rejected());
    json.endObject();
    io.out << json.str() << '\n';
    return 0;
}

} // namespace

int runLcd(const Args& args, Io& io)
{
    if (args.empty())
        throw UsageError("missing subcommand (render or sheet)");
    if (args[0] == "render")
        return runRender(args, io);
    if (args[0] == "sheet")
        return runSheet(args, io);
    throw UsageError("unknown subcommand \"" + args[0] + "\"");
}

} // namespace cli
