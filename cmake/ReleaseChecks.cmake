# release.checks: the i686 release binaries read as a Windows user gets them (machine type,
# subsystem, DYNAMIC_BASE and NX_COMPAT, imports, exports, manifest, version resource). It
# reads the files and runs nothing, so it runs on every machine, also where no 32-bit code
# runs (ctest --preset win32-release).
if(NOT WIN32 OR NOT CMAKE_SYSTEM_PROCESSOR STREQUAL "i686" OR NOT TARGET kestrihk)
  return()
endif()

find_program(KESTRION_OBJDUMP NAMES i686-w64-mingw32-objdump REQUIRED)
find_program(KESTRION_STRINGS NAMES i686-w64-mingw32-strings REQUIRED)
add_test(NAME release.checks
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-release.sh ${KESTRION_OBJDUMP} ${KESTRION_STRINGS}
          ${PROJECT_VERSION} $<TARGET_FILE:kestrion> $<TARGET_FILE:kestrihk>)
set_tests_properties(release.checks PROPERTIES LABELS release)
