# The release a parent installs, in ${MIMI_RELEASE_DIR}: the per-user installer (NSIS) and the portable
# zip, both holding the 64-bit and the 32-bit program folder and the licence. The version is the one in the program's
# version record (resources/version.rc), so it is written in one place.
find_program(MIMI_MAKENSIS NAMES makensis REQUIRED)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(version_rc ${CMAKE_SOURCE_DIR}/resources/version.rc)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${version_rc})
file(STRINGS ${version_rc} line REGEX "VALUE \"ProductVersion\"")
string(REGEX REPLACE ".*\"ProductVersion\", \"([0-9.]+)\".*" "\\1" MIMI_VERSION "${line}")
file(STRINGS ${version_rc} line REGEX "^FILEVERSION ")
string(REGEX REPLACE "^FILEVERSION +([0-9]+), *([0-9]+), *([0-9]+), *([0-9]+).*" "\\1.\\2.\\3.\\4"
       file_version "${line}")
if(NOT MIMI_VERSION MATCHES "^[0-9]+\\.[0-9]+$" OR NOT file_version MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+$")
  message(FATAL_ERROR "No version found in ${version_rc}")
endif()

set(MIMI_RELEASE_DIR ${CMAKE_BINARY_DIR}/release)
set(release_name mimitap-${MIMI_VERSION})
set(folders ${CMAKE_BINARY_DIR}/release-folders)

# The licence as it ships: LICENSE.txt with CRLF line ends, so that a double click opens it and
# Windows 7's Notepad shows its lines.
set(licence ${CMAKE_BINARY_DIR}/LICENSE.txt)
configure_file(${CMAKE_SOURCE_DIR}/LICENSE ${licence} @ONLY NEWLINE_STYLE CRLF)

# Both program folders, assembled the way dist/ is.
add_custom_target(release_folders
  COMMAND ${CMAKE_COMMAND} -DDIST_DIR=${folders}/x64 -DWINDOWS_DIR=${CMAKE_BINARY_DIR}/windows-x86_64
          -DMEDIA_DIR=${MIMI_MEDIA_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/AssembleDist.cmake
  COMMAND ${CMAKE_COMMAND} -DDIST_DIR=${folders}/x86 -DWINDOWS_DIR=${CMAKE_BINARY_DIR}/windows-i686
          -DMEDIA_DIR=${MIMI_MEDIA_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/AssembleDist.cmake
  DEPENDS windows-x86_64 windows-i686 media_set
  COMMENT "Assembling the 64-bit and 32-bit program folders in ${folders}"
  VERBATIM)

# mimi_installer(<target> <output> [makensis options]): the installer script built into <output>.
function(mimi_installer target output)
  add_custom_target(${target} ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${MIMI_RELEASE_DIR}
    COMMAND ${MIMI_MAKENSIS} -V2 -WX ${ARGN}
            -DVERSION=${MIMI_VERSION} -DFILE_VERSION=${file_version}
            -DPROGRAM_X64=${folders}/x64 -DPROGRAM_X86=${folders}/x86
            -DICON=${MIMI_MEDIA_DIR}/program/mimitap.ico -DOUTFILE=${output} -DLICENSE=${licence}
            ${CMAKE_SOURCE_DIR}/installer/mimitap.nsi
    BYPRODUCTS ${output}
    DEPENDS release_folders
    COMMENT "Installer ${output}"
    VERBATIM)
endfunction()

# The installer that ships: a 32-bit program, so it runs on every Windows and picks the folder there.
mimi_installer(installer ${MIMI_RELEASE_DIR}/${release_name}-setup.exe)

add_custom_target(portable_zip ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${MIMI_RELEASE_DIR}
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/installer/portable_zip.py
          ${MIMI_RELEASE_DIR}/${release_name}.zip ${release_name} x64=${folders}/x64 x86=${folders}/x86
          ${licence}
  BYPRODUCTS ${MIMI_RELEASE_DIR}/${release_name}.zip
  DEPENDS release_folders
  COMMENT "Portable zip ${MIMI_RELEASE_DIR}/${release_name}.zip"
  VERBATIM)
