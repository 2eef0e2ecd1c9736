#include "lcd/FontFile.h"
#include "LcdTestSupport.h"
#include "Unprivileged.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

using lcd::FontHeader;
using lcd::GlyphStore;
using lcdtest::fontFileBytes;
using lcdtest::fontGlyph;
using lcdtest::TempDir;
using lcdtest::writeBytes;

namespace {

const std::string kGlyphA = fontGlyph({"#.", ".#", "##"});
const std::string kGlyphB = fontGlyph({"..", "#.", ".#"});

} // namespace

TEST(FontFile, LoadsGlyphsAndFillsEveryOtherCodeUnlit)
{
    TempDir dir;
    std::string path = dir.file("two.lcf");
    // Bytes after the last glyph are ignored.
    writeBytes(path, fontFileBytes(2, 3, 65, 66, kGlyphA + kGlyphB + "trailing bytes"));
    GlyphStore store;
    FontHeader header;
    ASSERT_TRUE(lcd::LoadFontFile(path, store, header));
    EXPECT_EQ(header.cols, 2);
    EXPECT_EQ(header.rows, 3);
    EXPECT_EQ(header.first, 65);
    EXPECT_EQ(header.last, 66);
    EXPECT_TRUE(store.complete());
    EXPECT_EQ(store.glyphSize(), 6u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(store.glyph(65)), 6), kGlyphA);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(store.glyph(66)), 6), kGlyphB);
    for (int code : {0, 64, 67, 255})
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(store.glyph(code)), 6),
                  std::string(6, '\1'))
            << code;
    EXPECT_EQ(store.glyph(-1), nullptr);
    EXPECT_EQ(store.glyph(256), nullptr);
}

TEST(FontFile, BadFilesFailAndLeaveNothingHalfLoaded)
{
    TempDir dir;
    const std::string good = fontFileBytes(2, 3, 65, 66, kGlyphA + kGlyphB);
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty file", ""},
        {"header cut short", good.substr(0, 10)},
        {"glyphs cut short", good.substr(0, good.size() - 1)},
        {"second glyph missing", fontFileBytes(2, 3, 65, 66, kGlyphA)},
        {"no columns", fontFileBytes(0, 3, 65, 66, kGlyphA + kGlyphB)},
        {"negative rows", fontFileBytes(2, -3, 65, 66, kGlyphA + kGlyphB)},
        {"first below 0", fontFileBytes(2, 3, -1, 0, kGlyphA + kGlyphB)},
        {"last above 255", fontFileBytes(1, 1, 255, 256, "\0\0")},
        {"too many columns", fontFileBytes(65, 1, 65, 65, std::string(65, '\0'))},
        {"overflowing product", fontFileBytes(0x10000, 0x10000, 0, 0)},
        {"huge range", fontFileBytes(2, 3, 0, 0x7FFFFFFF)},
    };
    for (const auto& c : cases) {
        std::string path = dir.file("bad.lcf");
        writeBytes(path, c.bytes);
        GlyphStore store;
        FontHeader header{7, 7, 7, 7};
        EXPECT_FALSE(lcd::LoadFontFile(path, store, header)) << c.what;
        EXPECT_EQ(header.cols, 7) << c.what;
        EXPECT_EQ(store.glyph(65), nullptr) << c.what;
        EXPECT_EQ(store.glyph(0), nullptr) << c.what;
    }
}

TEST(FontFile, UnopenablePathsFail)
{
    TempDir dir;
    const std::string paths[] = {dir.file("missing.lcf"), dir.path().string(), "",
                                 dir.file("no/such/folder/font.lcf")};
    for (const auto& path : paths) {
        GlyphStore store;
        FontHeader header;
        EXPECT_FALSE(lcd::LoadFontFile(path, store, header)) << path;
        EXPECT_FALSE(store.complete()) << path;
    }
}

// A language file may name a font on another computer; the file system is never asked about
// it. Here every such path names a real, good font file (a POSIX file name may hold
// backslashes, and "//" is the root), so only the refusal keeps it from loading.
TEST(FontFile, AFontOnAnotherComputerIsRefusedBeforeTheFileSystemIsAsked)
{
    TempDir dir;
    const std::string good = fontFileBytes(2, 3, 65, 66, kGlyphA + kGlyphB);
    const std::string remote = "\\\\host\\share\\font.lcf";
    writeBytes(dir.file(remote), good);
    writeBytes(dir.file("local.lcf"), good);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    GlyphStore store;
    FontHeader header;
    EXPECT_FALSE(lcd::LoadFontFile(remote, store, header));
    EXPECT_FALSE(lcd::LoadFontFile("//" + dir.file("local.lcf"), store, header));
    EXPECT_FALSE(store.complete());
    EXPECT_TRUE(lcd::LoadFontFile("local.lcf", store, header));
    std::filesystem::current_path(previous);
}

// A font the user may only read (a read-only file in a read-only folder) loads: the file is
// opened for reading alone. Root would open it for writing too, so an unprivileged user
// loads it.
TEST(FontFile, ReadOnlyFileInReadOnlyFolderLoads)
{
    TempDir dir;
    namespace fs = std::filesystem;
    const fs::path fonts = dir.path() / "fonts";
    fs::create_directory(fonts);
    const std::string path = (fonts / "ro.lcf").string();
    writeBytes(path, fontFileBytes(2, 3, 65, 65, kGlyphA));
    testsupport::handOver(dir.path());
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(fonts, fs::perms::owner_read | fs::perms::owner_exec);

    // 0: loaded; 1: not loaded; 2: loaded, but the file could have been written.
    const int result = testsupport::runUnprivileged([&] {
        GlyphStore store;
        FontHeader header;
        if (!lcd::LoadFontFile(path, store, header) || header.first != 65 ||
            std::string(reinterpret_cast<const char*>(store.glyph(65)), 6) != kGlyphA)
            return 1;
        return std::fopen(path.c_str(), "r+") ? 2 : 0;
    });
    EXPECT_EQ(result, 0);
    fs::permissions(fonts, fs::perms::owner_all);
}

TEST(FontFile, EmptyRangeLoadsWithEveryGlyphUnlit)
{
    TempDir dir;
    std::string path = dir.file("empty.lcf");
    writeBytes(path, fontFileBytes(3, 2, 70, 69));
    GlyphStore store;
    FontHeader header;
    ASSERT_TRUE(lcd::LoadFontFile(path, store, header));
    EXPECT_EQ(header.first, 70);
    EXPECT_EQ(header.last, 69);
    EXPECT_TRUE(store.complete());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(store.glyph(70)), 6), std::string(6, '\1'));
}

TEST(FontFile, StoreAllocatesAndFreesEveryEntry)
{
    GlyphStore store;
    EXPECT_FALSE(store.complete());
    ASSERT_TRUE(store.AllocGlyphs(4));
    EXPECT_TRUE(store.complete());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(store.glyph(200)), 4), "\1\1\1\1");
    store.FreeGlyphs();
    for (int code = 0; code < 256; ++code)
        ASSERT_EQ(store.glyph(code), nullptr);
    store.FreeGlyphs(); // freeing an empty store is harmless
}
