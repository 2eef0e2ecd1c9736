#include "cli/Cli.h"
#include "cli/Json.h"
#include "lcd/LCDLabel.h"
#include "lcd/LCDLabelClass.h"

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

// Keeps the last picture the control painted.
class CaptureSurface final : public lcd::LcdSurface {
public:
    void copyFrom(const lcd::PixelImage& image, int width, int height) override
    {
        m_image = image;
        m_width = width;
        m_height = height;
    }
    const std::optional<lcd::PixelImage>& image() const { return m_image; }
    int width() const { return m_width; }
    int height() const { return m_height; }

private:
    std::optional<lcd::PixelImage> m_image;
    int m_width = 0;
    int m_height = 0;
};

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

void writeProperties(JsonWriter& json, lcd::TLCDLabel& label)
{
    for (const auto& property : lcd::lcdLabelProperties()) {
        json.key(property.name);
        switch (property.kind) {
        case lcd::PropertyKind::Text: json.value(property.getText(label)); break;
        case lcd::PropertyKind::Integer:
        case lcd::PropertyKind::Color: json.value(property.getNumber(label)); break;
        case lcd::PropertyKind::Boolean: json.value(property.getNumber(label) != 0); break;
        case lcd::PropertyKind::Enumeration: {
            auto ordinal = std::size_t(property.getNumber(label));
            if (ordinal < property.identifiers.size())
                json.value(property.identifiers[ordinal]);
            else
                json.value(std::int64_t(ordinal));
            break;
        }
        }
    }
}

int runRender(const Args& args, Io& io)
{
    LcdOptions options = parseOptions(args, 1, true);
    std::vector<std::string> rejected;
    CaptureSurface surface;
    lcd::TLCDLabel label;
    label.setErrorBox([&](const std::string& message) { rejected.push_back(message); });
    label.setSurface(&surface);
    if (options.preset)
        lcd::applyChannelLcdLayout(label);
    for (const auto& [name, value] : options.sets)
        lcd::setLcdLabelProperty(label, name, value);
    if (options.size)
        label.SetBounds(label.Left(), label.Top(), options.size->first, options.size->second);
    label.Paint();

    writeFile(options.out, lcd::encodePpm(*surface.image(), surface.width(), surface.height()));

    JsonWriter json;
    json.beginObject();
    writeProperties(json, label);
    json.key("Rejected").stringArray(rejected);
    json.endObject();
    io.out << json.str() << '\n';
    return 0;
}

int runSheet(const Args& args, Io& io)
{
    LcdOptions options = parseOptions(args, 1, false);
    std::vector<std::string> rejected;
    CaptureSurface surface;
    lcd::TLCDLabel label;
    label.setErrorBox([&](const std::string& message) { rejected.push_back(message); });
    label.setSurface(&surface);
    for (const auto& [name, value] : options.sets)
        lcd::setLcdLabelProperty(label, name, value);
    label.setNoOfChars(1);
    label.setTextLines(1);
    label.Paint();

    // One one-cell picture per code, sixteen to a row. A caption cannot hold code 0, but an
    // empty caption shows it: cells past the text's end show code 0.
    const int first = label.FirstChar();
    const int last = label.LastChar();
    const int count = last >= first ? last - first + 1 : 0;
    const int columns = 16;
    const int rows = (count + columns - 1) / columns;
    const int cellWidth = label.Width();
    const int cellHeight = label.Height();
    lcd::PixelImage sheet(columns * cellWidth, rows * cellHeight, 0xFFFFFF);
    for (int i = 0; i < count; ++i) {
        int code = first + i;
        label.setCaption(code == 0 ? std::string() : std::string(1, char(code)));
        label.Paint();
        const lcd::PixelImage& cell = *surface.image();
        int x0 = (i % columns) * cellWidth;
        int y0 = (i / columns) * cellHeight;
        for (int y = 0; y < cellHeight; ++y)
            for (int x = 0; x < cellWidth; ++x)
                sheet.setPixel(x0 + x, y0 + y, cell.pixel(x, y));
    }
    writeFile(options.out, lcd::encodePpm(sheet));

    JsonWriter json;
    json.beginObject()
        .member("DotMatrix", lcd::kDotMatrixNames[std::size_t(label.DotMatrix())])
        .member("FirstChar", first)
        .member("LastChar", last)
        .member("Columns", columns)
        .member("Rows", rows)
        .member("CellWidth", cellWidth)
        .member("CellHeight", cellHeight);
    json.key("Rejected").stringArray(rejected);
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
