# Regenerates the art and sounds into a fresh folder and requires every file
# to match the committed copy byte for byte.
foreach(var ART_TOOL SOUND_TOOL OUT_DIR DATA_DIR)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "reproduce.cmake needs -D${var}=...")
    endif()
endforeach()

file(REMOVE_RECURSE "${OUT_DIR}")
file(MAKE_DIRECTORY "${OUT_DIR}")

foreach(tool "${ART_TOOL}" "${SOUND_TOOL}")
    execute_process(COMMAND "${tool}" "${OUT_DIR}" RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${tool} failed: ${rc}")
    endif()
endforeach()

file(GLOB_RECURSE generated RELATIVE "${OUT_DIR}" "${OUT_DIR}/*")
list(LENGTH generated count)
if(count EQUAL 0)
    message(FATAL_ERROR "the tools wrote nothing")
endif()

set(mismatches "")
foreach(name IN LISTS generated)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUT_DIR}/${name}" "${DATA_DIR}/${name}"
        RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
        list(APPEND mismatches "${name}")
    endif()
endforeach()

if(mismatches)
    message(FATAL_ERROR "regenerated files differ from data/: ${mismatches}\n"
        "Rerun gloamfell-make-art and gloamfell-make-sounds on data/ and commit the result.")
endif()
message(STATUS "${count} generated files match data/")
