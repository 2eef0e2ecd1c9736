#include "i18n/ResourceStrings.h"

#include <windows.h>

namespace i18n {

namespace {

// The string table of the program module (resources/messages.rc, compiled into the exe).
class ModuleStringTable : public StringTable {
public:
    int load(std::uint16_t id, char* buffer, int size) const override
    {
        if (size <= 0)
            return 0;
        int n = LoadStringA(GetModuleHandleA(nullptr), id, buffer, size);
        if (n <= 0)
            buffer[0] = '\0';
        return n > 0 ? n : 0;
    }
};

} // namespace

const StringTable& programStringTable()
{
    static const ModuleStringTable table;
    return table;
}

} // namespace i18n
