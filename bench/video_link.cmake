# The video link: a frame's way from one video component through the relay to the
# other (see docs/PERFORMANCE.md, "Video").
add_executable(dravik_video_bench ${CMAKE_CURRENT_SOURCE_DIR}/video_link.cpp)
target_link_libraries(dravik_video_bench PRIVATE dravik_qt dravik_server_lib benchmark::benchmark)
