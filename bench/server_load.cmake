# The game server's load client: many robot players on loopback against a running
# dravik-server (see docs/PERFORMANCE.md, "Game server").
add_executable(dravik_server_load ${CMAKE_CURRENT_SOURCE_DIR}/server_load.cpp)
target_link_libraries(dravik_server_load PRIVATE dravik_robot_client)
