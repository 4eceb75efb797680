# Writes the Windows program IN to OUT (which may be IN), signed with
# Authenticode by osslsigncode with the certificate CERT and its key KEY, and
# time-stamped by TIMESTAMP_URL when one is given. Without CERT, OUT is an
# unsigned copy.
# Usage: cmake -DIN=... -DOUT=... [-DCERT=... -DKEY=... -DTIMESTAMP_URL=...] -P Authenticode.cmake
if(NOT CERT)
    if(NOT IN STREQUAL OUT)
        file(COPY_FILE ${IN} ${OUT})
    endif()
    return()
endif()
find_program(OSSLSIGNCODE osslsigncode)
if(NOT OSSLSIGNCODE)
    message(FATAL_ERROR "osslsigncode is needed to sign ${IN} (scripts/deps package)")
endif()
set(timestamp)
if(TIMESTAMP_URL)
    set(timestamp -ts ${TIMESTAMP_URL})
endif()
# osslsigncode writes a new file; it replaces OUT only once it is complete.
execute_process(COMMAND ${OSSLSIGNCODE} sign -certs ${CERT} -key ${KEY} -h sha256 -n Korvane
                        ${timestamp} -in ${IN} -out ${OUT}.signing
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    file(REMOVE ${OUT}.signing)
    message(FATAL_ERROR "osslsigncode could not sign ${IN}")
endif()
file(RENAME ${OUT}.signing ${OUT})
