# Host side of the build: the portable library and its tests, the media set, the two cross
# builds (x86_64, which the tests run, and i686), the program folder dist/ and the release packages.
option(MIMITAP_SANITIZE "Build the host code with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(MIMITAP_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

enable_testing()
mimi_add_portable_library(mimicore)

set(MIMI_DIST_DIR ${CMAKE_SOURCE_DIR}/dist CACHE PATH "The program folder as a user receives it")
set(MIMI_MEDIA_DIR ${CMAKE_BINARY_DIR}/media)

add_subdirectory(media media-build)
add_subdirectory(tests/unit)
add_subdirectory(tests/fuzz)
add_subdirectory(tests/media)
add_subdirectory(tests/layers)

include(ExternalProject)
foreach(arch x86_64 i686)
  ExternalProject_Add(windows-${arch}
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/windows-${arch}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-w64-${arch}.cmake
               -DCMAKE_BUILD_TYPE=Release
               -DMIMI_MEDIA_DIR=${MIMI_MEDIA_DIR}
    DEPENDS media_set
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    USES_TERMINAL_BUILD ON)
endforeach()
set(MIMI_WINDOWS_DIR ${CMAKE_BINARY_DIR}/windows-x86_64)

add_custom_target(dist ALL
  COMMAND ${CMAKE_COMMAND}
    -DDIST_DIR=${MIMI_DIST_DIR}
    -DWINDOWS_DIR=${MIMI_WINDOWS_DIR}
    -DMEDIA_DIR=${MIMI_MEDIA_DIR}
    -P ${CMAKE_SOURCE_DIR}/cmake/AssembleDist.cmake
  DEPENDS windows-x86_64 media_set
  COMMENT "Assembling the program folder ${MIMI_DIST_DIR}")
include(cmake/Packaging.cmake)

add_subdirectory(tests/e2e)
add_subdirectory(tests/dist)
add_subdirectory(tests/bench)
