# libFuzzer targets, only with DRAVIK_FUZZ (clang): the sanitizers come from the
# top level; the core and the fake adapter get the fuzzer's coverage hooks, and the
# standard library checks every index into its arrays, so that a hostile byte that
# indexes a neighbouring object (which the sanitizer cannot see) still stops the run.
if(DRAVIK_FUZZ)
  foreach(lib dravik_core dravik_fake)
    target_compile_options(${lib} PRIVATE -fsanitize=fuzzer-no-link)
    target_compile_definitions(${lib} PRIVATE _GLIBCXX_ASSERTIONS)
  endforeach()
  add_executable(dispatch_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/dispatch_fuzz.cpp)
  target_compile_options(dispatch_fuzz PRIVATE -fsanitize=fuzzer)
  target_link_options(dispatch_fuzz PRIVATE -fsanitize=fuzzer)
  target_compile_definitions(dispatch_fuzz PRIVATE _GLIBCXX_ASSERTIONS)
  target_link_libraries(dispatch_fuzz PRIVATE dravik_fake)
endif()
if(DRAVIK_FUZZ)
  # The animated-picture control's loader and player on arbitrary bytes.
  add_executable(gif_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/gif_fuzz.cpp)
  target_compile_options(gif_fuzz PRIVATE -fsanitize=fuzzer)
  target_link_options(gif_fuzz PRIVATE -fsanitize=fuzzer)
  target_compile_definitions(gif_fuzz PRIVATE _GLIBCXX_ASSERTIONS)
  target_link_libraries(gif_fuzz PRIVATE dravik_fake)
endif()
