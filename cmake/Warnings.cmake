# Compiler settings shared by every target of the project.
add_library(vexlor_options INTERFACE)
target_compile_options(vexlor_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow)
target_include_directories(vexlor_options INTERFACE ${PROJECT_SOURCE_DIR})

if(VEXLOR_SANITIZE)
  target_compile_options(vexlor_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(vexlor_options INTERFACE -fsanitize=address,undefined)
endif()

if(WIN32)
  # VexlorECR.exe must run on a bare Windows: no runtime DLLs beside it.
  target_link_options(vexlor_options INTERFACE -static -static-libgcc -static-libstdc++)
  target_compile_definitions(vexlor_options INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX
    _WIN32_WINNT=0x0601)
endif()
