#pragma once
// The profile tests' names for the shared test folder and file helpers.

#include "TestFiles.h"

namespace profile::testing {

using testsupport::readBytes;
using testsupport::TempFolder;
using testsupport::writeBytes;

} // namespace profile::testing
