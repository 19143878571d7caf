# The animated-picture control with the table's flames, painted by the Qt adapter
# (see docs/PERFORMANCE.md, "Animated pictures").
add_executable(dravik_gif_bench ${CMAKE_CURRENT_SOURCE_DIR}/gif_paint.cpp)
target_link_libraries(dravik_gif_bench PRIVATE dravik_qt dravik_fake dravik_resources benchmark::benchmark)
