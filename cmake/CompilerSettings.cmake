# Warnings for every target of the project, and the sanitizer build.
add_library(hastelyn_settings INTERFACE)
target_compile_options(hastelyn_settings INTERFACE -Wall -Wextra -Wpedantic)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  # GCC 12 reports std::string operations inlined at -O2 and above as overlapping copies
  # (its bug 105329); the warning says nothing about this code.
  target_compile_options(hastelyn_settings INTERFACE -Wno-restrict)
endif()
if(HASTELYN_WERROR)
  target_compile_options(hastelyn_settings INTERFACE -Werror)
endif()
target_include_directories(hastelyn_settings INTERFACE ${PROJECT_SOURCE_DIR})

if(HASTELYN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
