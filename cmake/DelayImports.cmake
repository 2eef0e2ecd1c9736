# Delay-loaded system DLLs.
#
# A DLL imported at load time that Windows does not keep among its known DLLs is looked for in
# the program's own folder first, so a file of that name planted beside kestrion.exe would run
# inside it at every start. Such DLLs are delay-loaded instead: the program loads each one from
# the system folder on its first call into it (src/app/win32/DllSearch.cpp).
#
# kestrion_delay_import(<name> [HEADER_DEFINE <macro>])
#   Makes the interface target delay_<name>, which links the delay-import library of the DLL
#   whose MinGW import library is lib<name>.a, in place of that import library. Every function
#   the import library offers is in it. The export list is read from the import library when
#   the build is configured; dlltool writes the delay-import library during the build.
#   HEADER_DEFINE names the macro that makes the DLL's header declare its functions without
#   dllimport; every user of the target is compiled with it. The i686 linker drops the jump
#   thunk of a library member whose function is reached only through its __imp_ pointer (as a
#   dllimport declaration compiles a call), and the delay-load entry that points into that
#   thunk is then left null: the first call would jump to address 0.
function(kestrion_delay_import name)
  cmake_parse_arguments(ARG "" "HEADER_DEFINE" "" ${ARGN})
  if(TARGET delay_${name})
    return()
  endif()
  find_program(KESTRION_DLLTOOL NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-dlltool REQUIRED)
  find_library(KESTRION_IMPORT_LIB_${name} NAMES ${name} NO_CACHE REQUIRED)
  set(import_lib ${KESTRION_IMPORT_LIB_${name}})

  execute_process(COMMAND ${KESTRION_DLLTOOL} --identify ${import_lib}
    OUTPUT_VARIABLE dll OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
  execute_process(COMMAND ${CMAKE_NM} -g --defined-only ${import_lib}
    OUTPUT_VARIABLE symbols RESULT_VARIABLE failed_nm)
  if(failed OR failed_nm OR dll STREQUAL "")
    message(FATAL_ERROR "Cannot read the exports of ${import_lib}")
  endif()
  # Each function of an import library has a code symbol (type T): on i686 the C name with a
  # leading underscore and, for the Windows calling convention, its argument size (@8), which
  # the definition file keeps and -k drops from the name imported from the DLL.
  string(REGEX MATCHALL "[0-9a-fA-F]+ T [^\n]+" functions "${symbols}")
  set(exports)
  foreach(line IN LISTS functions)
    string(REGEX REPLACE "^[0-9a-fA-F]+ T " "" symbol "${line}")
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      string(REGEX REPLACE "^_" "" symbol "${symbol}")
    endif()
    string(APPEND exports "    ${symbol}\n")
  endforeach()
  if(exports STREQUAL "")
    message(FATAL_ERROR "${import_lib} offers no functions")
  endif()

  set(def ${PROJECT_BINARY_DIR}/delayimp/${name}.def)
  set(delay_lib ${PROJECT_BINARY_DIR}/delayimp/libdelay-${name}.a)
  set(content "LIBRARY ${dll}\nEXPORTS\n${exports}")
  set(old "")
  if(EXISTS ${def})
    file(READ ${def} old)
  endif()
  if(NOT old STREQUAL content)
    file(WRITE ${def} "${content}")
  endif()
  # Run in its folder: dlltool names the library's symbols after the path it is given.
  add_custom_command(OUTPUT ${delay_lib}
    COMMAND ${KESTRION_DLLTOOL} --input-def ${name}.def --dllname ${dll} -k
            --output-delaylib libdelay-${name}.a
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/delayimp
    DEPENDS ${def}
    COMMENT "Delay-import library of ${dll}"
    VERBATIM)
  add_custom_target(delay_${name}_lib DEPENDS ${delay_lib})
  add_library(delay_${name} INTERFACE)
  target_link_libraries(delay_${name} INTERFACE ${delay_lib})
  add_dependencies(delay_${name} delay_${name}_lib)
  if(ARG_HEADER_DEFINE)
    target_compile_definitions(delay_${name} INTERFACE ${ARG_HEADER_DEFINE})
  endif()
endfunction()
