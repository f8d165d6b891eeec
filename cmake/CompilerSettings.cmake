# Warnings for every target of the project, and the sanitizer build.
add_library(hastelyn_settings INTERFACE)
target_compile_options(hastelyn_settings INTERFACE -Wall -Wextra -Wpedantic)
if(HASTELYN_WERROR)
  target_compile_options(hastelyn_settings INTERFACE -Werror)
endif()
target_include_directories(hastelyn_settings INTERFACE ${PROJECT_SOURCE_DIR})

if(HASTELYN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
