# Fails when an executable depends on QtWidgets: telmtool runs where no
# desktop is installed.
#   cmake -DEXECUTABLE=<path> -P CheckNoWidgets.cmake
execute_process(COMMAND ldd ${EXECUTABLE} OUTPUT_VARIABLE libraries RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "ldd could not read ${EXECUTABLE}")
endif()
if(libraries MATCHES "libQt6Widgets")
    message(FATAL_ERROR "${EXECUTABLE} depends on QtWidgets:\n${libraries}")
endif()
message(STATUS "${EXECUTABLE} does not depend on QtWidgets")
