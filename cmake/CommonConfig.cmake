# Build settings shared by every target of the project.
add_library(tessaly_common INTERFACE)
target_compile_features(tessaly_common INTERFACE cxx_std_20)
target_compile_options(tessaly_common INTERFACE -Wall -Wextra)
option(TESSALY_WARNINGS_AS_ERRORS "Fail the build on any warning (CI)" OFF)
if(TESSALY_WARNINGS_AS_ERRORS)
  target_compile_options(tessaly_common INTERFACE -Werror)
endif()
# Address and undefined-behaviour checks, for the run of the tests that need no browser: the
# browser engine's own process is not built for them.
option(TESSALY_SANITIZE "Build with the address and undefined-behaviour sanitizers, without the browser" OFF)
if(TESSALY_SANITIZE)
  target_compile_options(tessaly_common INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=undefined)
  target_link_options(tessaly_common INTERFACE -fsanitize=address,undefined)
endif()
target_compile_definitions(tessaly_common INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_CONTEXTLESS_CONNECT)

# A library of one folder. Users include its headers as "folder/Header.h" through a
# directory that holds a link to that folder alone, so a file sees only the folders of the
# libraries its target links, and an include of any other fails to build.
function(tessaly_library name)
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  add_library(${name} STATIC ${ARGN})
  tessaly_expose_folder(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC tessaly_common)
endfunction()

# Puts `source_folder` on the include path of `target` as "<its name>/...", and nothing else.
function(tessaly_expose_folder target scope source_folder)
  get_filename_component(folder ${source_folder} NAME)
  set(root ${PROJECT_BINARY_DIR}/include/${folder})
  if(NOT EXISTS ${root}/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${source_folder} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} ${scope} ${root})
endfunction()
