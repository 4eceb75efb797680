# Configures the tree with BUILD_TESTING=OFF while GoogleTest and QtTest
# cannot be found, and checks that nothing test-related was configured.
file(REMOVE_RECURSE ${BINARY_DIR})
execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${BINARY_DIR}
            -DBUILD_TESTING=OFF
            -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON
            -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Test=ON
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "configure with BUILD_TESTING=OFF failed:\n${output}")
endif()
if(EXISTS ${BINARY_DIR}/CTestTestfile.cmake OR EXISTS ${BINARY_DIR}/tests)
    message(FATAL_ERROR "tests were configured although BUILD_TESTING is OFF")
endif()
if(NOT EXISTS ${BINARY_DIR}/app/linux/Makefile)
    message(FATAL_ERROR "the program was not configured")
endif()
file(REMOVE_RECURSE ${BINARY_DIR})
