# release-zip: the portable release of a Windows build, kestrion-<version>-win32.zip for the
# i686 build. It holds one folder, "kestrion", that a user unpacks into a folder of their own:
#   kestrion.exe, kestrihk.dll   the program and its hook library
#   kestrion-cli.exe             the command-line tool for scripts (press, send)
#   language\                    the language files
#   help\                        the HTML help
#   README.txt                   for Windows users (resources/README.txt.in, CR LF line ends)
#   SHA256SUMS                   the SHA-256 of every other file of the folder
# Beside the zip, <zip>.sha256 holds the zip's own checksum, for the page it is offered on.
# Packing ends with a check that the zip holds exactly these files and that every checksum
# holds (cmake/ReleaseFiles.cmake). The version in the name is the project's, as everywhere.
if(NOT WIN32)
  return()
endif()

# The programs of the release, side by side at the top of the folder. A program added here is
# packed, checksummed and checked like the others; name it in README.txt.in's list too.
# kestrion-cli goes beside the program, so that scripts have press and send without a build.
set(release_programs kestrion kestrihk kestrion-cli)

set(release_dir ${PROJECT_BINARY_DIR}/release)
set(stage ${release_dir}/kestrion)
set(zip_name kestrion-${PROJECT_VERSION}-${CMAKE_SYSTEM_PROCESSOR}.zip)
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(zip_name kestrion-${PROJECT_VERSION}-win32.zip)
endif()
set(zip ${PROJECT_BINARY_DIR}/${zip_name})

configure_file(${PROJECT_SOURCE_DIR}/resources/README.txt.in ${release_dir}/README.txt
               @ONLY NEWLINE_STYLE CRLF)

set(copy_programs)
set(program_files)
foreach(t IN LISTS release_programs)
  list(APPEND copy_programs COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${t}> ${stage}/)
  list(APPEND program_files $<TARGET_FILE_NAME:${t}>)
endforeach()
string(REPLACE ";" "," program_files "${program_files}")

set(files_script ${PROJECT_SOURCE_DIR}/cmake/ReleaseFiles.cmake)
add_custom_target(release-zip
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage} ${zip} ${zip}.sha256
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
  ${copy_programs}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/resources/language
          ${stage}/language
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/resources/help ${stage}/help
  COMMAND ${CMAKE_COMMAND} -E copy ${release_dir}/README.txt ${stage}/
  COMMAND ${CMAKE_COMMAND} -DMODE=sums -DFOLDER=${stage} -P ${files_script}
  COMMAND ${CMAKE_COMMAND} -E chdir ${release_dir}
          ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip kestrion
  COMMAND ${CMAKE_COMMAND} -DMODE=check -DZIP=${zip} -DPROGRAMS=${program_files}
          -DSOURCE=${PROJECT_SOURCE_DIR} -DWORK=${release_dir}/check -P ${files_script}
  COMMAND ${CMAKE_COMMAND} -DMODE=zipsum -DZIP=${zip} -P ${files_script}
  DEPENDS ${release_programs} ${release_dir}/README.txt
  COMMENT "Packing ${zip}"
  VERBATIM)
