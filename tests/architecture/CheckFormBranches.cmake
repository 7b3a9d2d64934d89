# Fails when product code outside the form-profile table and the catalogue
# branches on which form it serves: such a difference belongs in the profile.
#   cmake -DSOURCE_DIR=<root> -P CheckFormBranches.cmake
include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)

set(faults "")
foreach(layer ${TELM_LAYERS})
    file(GLOB_RECURSE sources ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp)
    foreach(source ${sources})
        if(source MATCHES "/editor/FormProfile\\.cpp$|/selection/Catalogue\\.(h|cpp)$")
            continue()
        endif()
        file(STRINGS ${source} lines REGEX "[=!]= *FormId::")
        foreach(line ${lines})
            file(RELATIVE_PATH relative ${SOURCE_DIR} ${source})
            string(STRIP "${line}" line)
            list(APPEND faults "${relative}: ${line}")
        endforeach()
    endforeach()
endforeach()

if(faults)
    list(JOIN faults "\n  " text)
    message(FATAL_ERROR "Branches on the form outside the profile table:\n  ${text}")
endif()
message(STATUS "No product code branches on the form outside the profile table")
