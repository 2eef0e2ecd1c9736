#pragma once
// The names of the temporary files that a profile write makes beside the profile:
// <prefix><writer's process id>-<serial>.tmp. The writer's id in the name lets a later
// writer tell a file left behind by a writer that was killed in mid-save from one that is
// being written.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace base {

std::string temporaryName(std::string_view prefix, std::uint32_t writer, unsigned serial);

// The writer's process id when `name` is such a name (the prefix and ".tmp" compared without
// regard to letter case when `ignoreCase`); nothing for any other name.
std::optional<std::uint32_t> temporaryNameWriter(std::string_view prefix, std::string_view name,
                                                 bool ignoreCase);

} // namespace base
