# Windows build: the real program on top of the core. Built by the MinGW
# presets only.

enable_language(RC)

if(NOT NOOKSHADE_MANIFEST_ARCH)
  message(FATAL_ERROR "NOOKSHADE_MANIFEST_ARCH is not set; configure with a mingw preset")
endif()

# The manifest and the version header are generated per build; the
# resource compiler finds them, like the icon, through the include path.
set(NOOKSHADE_GENERATED_DIR ${CMAKE_CURRENT_BINARY_DIR}/generated)
set(NOOKSHADE_VERSION_QUAD ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
configure_file(resources/nookshade.manifest.in ${NOOKSHADE_GENERATED_DIR}/nookshade.manifest @ONLY)
configure_file(resources/nookshade_version.h.in ${NOOKSHADE_GENERATED_DIR}/nookshade_version.h @ONLY)

add_executable(nookshade WIN32
  src/win32/main.cpp
  src/win32/wide_text.cpp
  src/win32/win32_window_system.cpp
  src/win32/win32_shell.cpp
  src/win32/tray_icon.cpp
  src/win32/win32_registry.cpp
  src/win32/win32_dialogs.cpp
  src/win32/win32_timers.cpp
  src/win32/win32_system.cpp
  src/win32/common_controls.cpp
  src/win32/panel_layout.cpp
  src/win32/panel_menu.cpp
  src/win32/panel_window.cpp
  src/win32/panel_input.cpp
  src/win32/crosshair_box.cpp
  resources/nookshade.rc
)
target_include_directories(nookshade PRIVATE
  ${NOOKSHADE_GENERATED_DIR}
  ${CMAKE_CURRENT_SOURCE_DIR}/resources
)
target_compile_definitions(nookshade PRIVATE UNICODE _UNICODE _WIN32_WINNT=0x0601 WINVER=0x0601)
target_compile_options(nookshade PRIVATE
  $<$<COMPILE_LANGUAGE:CXX>:-municode>
)
# A release carries no symbols: half the size for a tray utility.
# No link time in the header: the same commit builds the same bytes.
# Sections at page offsets in the file: Wine then maps the image instead of
# copying it into the process's private memory (half a MiB).
target_link_options(nookshade PRIVATE -municode -static -static-libgcc -static-libstdc++
  -Wl,--no-insert-timestamp -Wl,--file-alignment,4096 $<$<CONFIG:Release>:-s>)
# The common controls and the shell's library are loaded when first needed
# (src/win32/common_controls.h, win32_shell.cpp), not imported.
target_link_libraries(nookshade PRIVATE
  nookshade_app
  user32 gdi32 advapi32 version
)
set_source_files_properties(resources/nookshade.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/resources/nookshade.ico;${NOOKSHADE_GENERATED_DIR}/nookshade.manifest;${CMAKE_CURRENT_SOURCE_DIR}/src/win32/resource_ids.h"
)

# The end-to-end driver lives with its tests and is added when present.
if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/CMakeLists.txt)
  add_subdirectory(tests/e2e)
endif()

# The programs that scripts/measure-wine.sh measures nookshade.exe against.
add_subdirectory(bench/wine)
