# The log lives beside the executable and every process that loads the library
# empties it: the log tests get a folder of their own and run one at a time.
set_target_properties(test_support PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/support)
list(APPEND ZORBLIT_TEST_PROPERTIES RUN_SERIAL TRUE)
