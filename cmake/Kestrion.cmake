# Build helpers shared by every folder of the project.

# Warnings are errors everywhere. Sanitizers and fuzzing instrumentation are switched on
# per build tree (see CMakePresets.json), for all of the project's own code.
macro(kestrion_set_compile_options)
  add_compile_options(-Wall -Wextra -Wpedantic -Werror -Wshadow -Wnon-virtual-dtor
                      -Wcast-align -Wunused -Woverloaded-virtual -Wnull-dereference
                      -Wimplicit-fallthrough -Wno-missing-field-initializers)
  if(WIN32)
    # One exe and one dll: no MinGW runtime DLLs beside them.
    add_link_options(-static -static-libgcc -static-libstdc++
                     $<$<CONFIG:MinSizeRel>:-s>)
    add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  endif()
  if(KESTRION_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
  if(KESTRION_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
endmacro()

# Adds every direct subfolder of the current folder that holds a CMakeLists.txt, in name
# order. Modules, test folders and benchmark folders join the build by existing.
function(kestrion_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# kestrion_library(NAME <target> SOURCES ... [WIN32_SOURCES ...] [DEPS ...] [WIN32_LIBS ...])
# A static library of the project, with src/ as its include root. WIN32_SOURCES and
# WIN32_LIBS join only in the Windows builds.
function(kestrion_library)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;WIN32_SOURCES;DEPS;WIN32_LIBS" ${ARGN})
  set(sources ${ARG_SOURCES})
  if(WIN32)
    list(APPEND sources ${ARG_WIN32_SOURCES})
  endif()
  add_library(${ARG_NAME} STATIC ${sources})
  target_include_directories(${ARG_NAME} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${ARG_NAME} PUBLIC ${ARG_DEPS})
  if(WIN32 AND ARG_WIN32_LIBS)
    target_link_libraries(${ARG_NAME} PUBLIC ${ARG_WIN32_LIBS})
  endif()
endfunction()

include(${CMAKE_CURRENT_LIST_DIR}/DelayImports.cmake)
