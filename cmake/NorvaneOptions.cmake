# One INTERFACE target carries the language standard, the warnings and the sanitizers for every target.
add_library(norvane_options INTERFACE)
target_compile_features(norvane_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(norvane_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast
  -Wnon-virtual-dtor -Woverloaded-virtual -Wimplicit-fallthrough
  $<$<BOOL:${NORVANE_WERROR}>:-Werror>)
target_compile_definitions(norvane_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_KEYWORDS)
if(NORVANE_SANITIZE)
  target_compile_options(norvane_options INTERFACE -fsanitize=address,undefined -fno-sanitize-recover=all
                                                   -fno-omit-frame-pointer)
  target_link_options(norvane_options INTERFACE -fsanitize=address,undefined)
endif()
if(NORVANE_FUZZ)
  # Coverage for every library the fuzz targets reach, not only the targets themselves.
  target_compile_options(norvane_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined)
  target_link_options(norvane_options INTERFACE -fsanitize=address,undefined)
endif()
