# release-zip: the portable release of a Windows build, one zip holding the program, its
# hook library, the language files and the help.
if(NOT WIN32)
  return()
endif()

set(stage ${PROJECT_BINARY_DIR}/release/kestrion)
set(zip ${PROJECT_BINARY_DIR}/kestrion-${PROJECT_VERSION}-${CMAKE_SYSTEM_PROCESSOR}.zip)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(zip ${PROJECT_BINARY_DIR}/kestrion-${PROJECT_VERSION}-win32.zip)
endif()

set(release_targets kestrion)
if(TARGET kestrihk)
  list(APPEND release_targets kestrihk)
endif()
# kestrion-cli beside the program, so that scripts have press and send without a build.
list(APPEND release_targets kestrion-cli)
set(copy_binaries)
foreach(t IN LISTS release_targets)
  list(APPEND copy_binaries COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${t}> ${stage}/)
endforeach()
set(copy_folders)
foreach(folder language help)
  if(EXISTS ${PROJECT_SOURCE_DIR}/resources/${folder})
    list(APPEND copy_folders COMMAND ${CMAKE_COMMAND} -E copy_directory
         ${PROJECT_SOURCE_DIR}/resources/${folder} ${stage}/${folder})
  endif()
endforeach()

add_custom_target(release-zip
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${PROJECT_BINARY_DIR}/release
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
  ${copy_binaries}
  ${copy_folders}
  COMMAND ${CMAKE_COMMAND} -E chdir ${PROJECT_BINARY_DIR}/release
          ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip kestrion
  DEPENDS ${release_targets}
  COMMENT "Packing ${zip}"
  VERBATIM)
