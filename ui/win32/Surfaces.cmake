# The Windows program's pieces that stand behind the core's interfaces and its resources:
# message dialogs, the file-open dialog, the clipboard for spoken texts, the windows' font
# (ui/win32), and the icon, pictures, version and manifest of Hastelyn.exe (resources/win32).
add_library(hastelyn_ui_win32_surfaces STATIC ${CMAKE_CURRENT_LIST_DIR}/Win32Dialogs.cpp
            ${CMAKE_CURRENT_LIST_DIR}/Win32Clipboard.cpp ${CMAKE_CURRENT_LIST_DIR}/UiFont.cpp
            ${CMAKE_CURRENT_LIST_DIR}/Win32FileDialog.cpp)
target_link_libraries(hastelyn_ui_win32_surfaces PUBLIC hastelyn_foundation hastelyn_win32 user32 gdi32 comdlg32)

# The resources, an object of their own for the program (and the tests that load them) to link:
# a resource object in a static library would never be pulled in. The version is
# HASTELYN_VERSION_NUMBERS, as hastelyn-cli.exe carries it.
set(HASTELYN_PICTURES ${PROJECT_SOURCE_DIR}/resources/pictures)
set(HASTELYN_WIN32_PICTURES ${PROJECT_SOURCE_DIR}/resources/pictures-win32)
set(HASTELYN_WIN32_MANIFEST ${PROJECT_SOURCE_DIR}/resources/win32/Hastelyn.manifest)
configure_file(${PROJECT_SOURCE_DIR}/resources/win32/Hastelyn.rc.in ${CMAKE_CURRENT_BINARY_DIR}/Hastelyn.rc @ONLY)
add_library(hastelyn_win32_resources OBJECT ${CMAKE_CURRENT_BINARY_DIR}/Hastelyn.rc)
target_include_directories(hastelyn_win32_resources PRIVATE ${PROJECT_SOURCE_DIR})
# windres does not see what the resource script names: the pictures are listed for the build.
file(GLOB_RECURSE win32_pictures CONFIGURE_DEPENDS ${HASTELYN_WIN32_PICTURES}/*)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/Hastelyn.rc PROPERTIES
  OBJECT_DEPENDS "${win32_pictures};${HASTELYN_WIN32_MANIFEST};${HASTELYN_PICTURES}/about-version.txt;${CMAKE_CURRENT_LIST_DIR}/Resources.h")
