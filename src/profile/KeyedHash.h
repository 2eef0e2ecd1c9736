#pragma once
// The hash of the profile store's indexes of section and key names. A profile may come from
// anybody, and names chosen so that they share one hash would make every lookup walk them
// all: a load of a crafted file would take time that grows with the square of its size. The
// hash is therefore keyed with a secret drawn once per process (SipHash-1-3), so that nobody
// can choose names that collide in this process.

#include <cstdint>
#include <string_view>

namespace profile {

// The keyed hash of a name with A to Z taken as a to z: names that match in a profile hash
// alike. The key is the same for every call in this process and differs between processes.
std::uint64_t foldedNameHash(std::string_view name);

} // namespace profile
