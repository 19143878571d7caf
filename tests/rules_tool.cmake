# Runs the dravik-rules binary on sample commands (answers, a bad token, a missing option).
add_test(NAME tool.dravik-rules
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/rules_tool_test.sh $<TARGET_FILE:dravik-rules>)
