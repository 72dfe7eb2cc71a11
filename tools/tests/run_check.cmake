# Runs gloamfell-check over one folder and requires its exit code and the
# given lines (separated by "|") in its output.
# FOLDER is checked as it is; otherwise SHARED's sheets and sounds and BASE
# are copied to WORK, OVERLAY's files laid over them and the files named in
# REMOVE (separated by ",") taken away.
foreach(var CHECK CODE)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "run_check.cmake needs -D${var}=...")
    endif()
endforeach()

if(NOT DEFINED FOLDER)
    file(REMOVE_RECURSE "${WORK}")
    file(MAKE_DIRECTORY "${WORK}")
    # The sheets and sounds every level shares come from the shipped data, under the fixture.
    set(shared)
    if(DEFINED SHARED)
        file(GLOB shared "${SHARED}/*.wav" "${SHARED}/background.bmp" "${SHARED}/void.bmp"
             "${SHARED}/light.bmp" "${SHARED}/damage.bmp")
    endif()
    # file(COPY) would skip an overlay file as old as the base file it replaces.
    foreach(dir IN ITEMS "${BASE}" "${OVERLAY}")
        if(dir)
            file(GLOB files "${dir}/*")
            if(dir STREQUAL BASE)
                list(PREPEND files ${shared})
            endif()
            foreach(path IN LISTS files)
                get_filename_component(name "${path}" NAME)
                file(COPY_FILE "${path}" "${WORK}/${name}")
            endforeach()
        endif()
    endforeach()
    string(REPLACE "," ";" remove "${REMOVE}")
    foreach(name IN LISTS remove)
        file(REMOVE "${WORK}/${name}")
    endforeach()
    set(FOLDER "${WORK}")
endif()

execute_process(COMMAND "${CHECK}" "${FOLDER}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc STREQUAL CODE)
    message(FATAL_ERROR "exit code ${rc}, expected ${CODE}\n${out}${err}")
endif()
string(REPLACE "|" ";" expected "${EXPECT}")
foreach(line IN LISTS expected)
    string(FIND "${out}${err}" "${line}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "missing from the output: ${line}\n${out}${err}")
    endif()
endforeach()
