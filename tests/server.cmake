# The game server's tests: its logic on the virtual-time loop, and whole tables over
# loopback TCP in the test process. Test names are server.<Suite>.<Test>.
file(GLOB DRAVIK_SERVER_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/server/*.cpp)
if(DRAVIK_SERVER_TESTS)
  add_executable(dravik_server_tests ${DRAVIK_SERVER_TESTS})
  target_link_libraries(dravik_server_tests PRIVATE dravik_robot_client dravik_fake GTest::gtest_main)
  target_compile_definitions(dravik_server_tests PRIVATE
    DRAVIK_SOURCE_DIR="${CMAKE_SOURCE_DIR}" DRAVIK_BINARY_DIR="${CMAKE_BINARY_DIR}")
  gtest_discover_tests(dravik_server_tests TEST_PREFIX "server." DISCOVERY_TIMEOUT 60)
endif()
