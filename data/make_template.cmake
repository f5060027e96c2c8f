# Runs every SQL file, in order, into a fresh database, then moves it into place in one step
# so that a failed build never leaves a half-made template behind.
set(tmp "${OUTPUT}.tmp")
file(REMOVE "${tmp}")
foreach(sql IN LISTS INPUTS)
    execute_process(COMMAND "${SQLITE3}" -bail "${tmp}" ".read '${sql}'"
                    RESULT_VARIABLE rc ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
        file(REMOVE "${tmp}")
        message(FATAL_ERROR "${sql}: ${err}")
    endif()
endforeach()
execute_process(COMMAND "${SQLITE3}" "${tmp}" "VACUUM;")
file(RENAME "${tmp}" "${OUTPUT}")
