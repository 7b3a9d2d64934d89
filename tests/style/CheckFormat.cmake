# Fails when a C++ source differs from what clang-format makes of it with the
# root .clang-format; scripts/format.sh mends it.
#   cmake -DSOURCE_DIR=<root> -DCLANG_FORMAT=<path> -P CheckFormat.cmake
file(GLOB_RECURSE sources ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
list(FILTER sources EXCLUDE REGEX "^${SOURCE_DIR}/(build[^/]*|\\.git)/")
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
                WORKING_DIRECTORY ${SOURCE_DIR}
                RESULT_VARIABLE failed ERROR_VARIABLE complaints)
if(failed)
    string(REGEX MATCHALL "[^\n]*error: code should be clang-formatted[^\n]*" lines "${complaints}")
    list(JOIN lines "\n  " text)
    message(FATAL_ERROR "Not formatted (run scripts/format.sh):\n  ${text}")
endif()
list(LENGTH sources count)
message(STATUS "${count} sources are formatted")
