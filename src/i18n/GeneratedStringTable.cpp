#include "i18n/Messages.h"
#include "i18n/ResourceStrings.h"

// The native build has no resources: the generated table stands for the string table.

namespace i18n {

namespace {

class GeneratedStringTable : public StringTable {
public:
    int load(std::uint16_t id, char* buffer, int size) const override
    {
        for (const auto& message : builtinMessages()) {
            if (message.id == id)
                return copyToBuffer(message.text, buffer, size);
        }
        return 0;
    }
};

} // namespace

const StringTable& programStringTable()
{
    static const GeneratedStringTable table;
    return table;
}

} // namespace i18n
