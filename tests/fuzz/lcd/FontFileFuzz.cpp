// Feeds arbitrary bytes to the font-file reader as a file, then paints a control with
// whatever loaded, so that a header or glyph the reader lets through cannot make the paint
// read or write outside its buffers.

#include "lcd/FontFile.h"
#include "lcd/LCDLabel.h"
#include "ui/headless/HeadlessBackend.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/tmp/kestrion-fontfile-fuzz-" + std::to_string(::getpid());
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    lcd::GlyphStore store;
    lcd::FontHeader header;
    if (lcd::LoadFontFile(path, store, header)) {
        if (!store.complete() || !lcd::fontHeaderUsable(header))
            __builtin_trap();
    } else if (store.glyph(0) != nullptr) {
        __builtin_trap();
    }

    // Three cells are enough to show codes below, inside and above the font's range; a small
    // display keeps each run short.
    static ui::headless::HeadlessBackend backend;
    auto label = ui::makeComponent<lcd::TLCDLabel>(nullptr);
    label->setNoOfChars(3);
    label->setCaption(
        std::string(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 3)));
    label->setFilename(path);
    std::remove(path.c_str());
    return 0;
}
