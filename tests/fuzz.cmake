# libFuzzer targets, only with DRAVIK_FUZZ (clang): the sanitizers come from the
# top level; the core and the fake adapter get the fuzzer's coverage hooks, and the
# standard library checks every index into its arrays, so that a hostile byte that
# indexes a neighbouring object (which the sanitizer cannot see) still stops the run.
if(DRAVIK_FUZZ)
  foreach(lib ${DRAVIK_PARTS} dravik_fake)
    target_compile_options(${lib} PRIVATE -fsanitize=fuzzer-no-link)
    target_compile_definitions(${lib} PRIVATE _GLIBCXX_ASSERTIONS)
  endforeach()
  foreach(target dispatch_fuzz proxy_fuzz gif_fuzz video_fuzz)
    add_executable(${target} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/${target}.cpp)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer)
    target_link_options(${target} PRIVATE -fsanitize=fuzzer)
    target_compile_definitions(${target} PRIVATE _GLIBCXX_ASSERTIONS)
    target_link_libraries(${target} PRIVATE dravik_fake)
  endforeach()
  # The record reader needs nothing of the client beyond its own part.
  add_executable(record_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/record_fuzz.cpp)
  target_compile_options(record_fuzz PRIVATE -fsanitize=fuzzer)
  target_link_options(record_fuzz PRIVATE -fsanitize=fuzzer)
  target_compile_definitions(record_fuzz PRIVATE _GLIBCXX_ASSERTIONS)
  target_link_libraries(record_fuzz PRIVATE dravik_record)
endif()
