#pragma once
// The file operations the profile store uses (base/FileIo.h), and the largest profile it takes.

#include "base/FileIo.h"

#include <cstddef>

namespace profile {

// The largest profile the store reads or writes (a larger file is left alone).
inline constexpr std::size_t kMaxProfileSize = std::size_t{64} * 1024 * 1024;

using base::FileContents;
using base::folderOfPathExists;
using base::isExistingFile;
using base::readFile;
using base::ReadStatus;
using base::replaceFile;

} // namespace profile
