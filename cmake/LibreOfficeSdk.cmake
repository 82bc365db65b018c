# LibreOffice's SDK: the UNO runtime libraries and C++ headers for the UNO types, generated
# here with cppumaker (the SDK ships only the IDL registries). Gives the target
# corvane_uno_sdk; only the LibreOffice adapter and its tests use it.

set(LO_PROGRAM_DIR /usr/lib/libreoffice/program CACHE PATH "LibreOffice's program folder")
set(LO_SDK_DIR /usr/lib/libreoffice/sdk CACHE PATH "LibreOffice's SDK folder")

find_program(LO_CPPUMAKER cppumaker PATHS ${LO_SDK_DIR}/bin NO_DEFAULT_PATH REQUIRED)
set(LO_TYPE_RDBS ${LO_PROGRAM_DIR}/types.rdb ${LO_PROGRAM_DIR}/types/offapi.rdb)
foreach(rdb ${LO_TYPE_RDBS})
    if(NOT EXISTS ${rdb})
        message(FATAL_ERROR "LibreOffice's type registry ${rdb} is missing: install libreoffice-dev")
    endif()
endforeach()

# All types: a few seconds, once per build folder (again when the registries change).
set(LO_UNO_HEADERS ${CMAKE_BINARY_DIR}/uno-headers)
file(SHA1 ${LO_PROGRAM_DIR}/types/offapi.rdb LO_OFFAPI_SHA)
if(NOT EXISTS ${LO_UNO_HEADERS}/stamp-${LO_OFFAPI_SHA})
    file(REMOVE_RECURSE ${LO_UNO_HEADERS})
    message(STATUS "Generating UNO headers into ${LO_UNO_HEADERS}")
    execute_process(COMMAND ${LO_CPPUMAKER} -Gc -O${LO_UNO_HEADERS} ${LO_TYPE_RDBS}
                    RESULT_VARIABLE cppumaker_result)
    if(NOT cppumaker_result EQUAL 0)
        message(FATAL_ERROR "cppumaker failed (${cppumaker_result})")
    endif()
    file(TOUCH ${LO_UNO_HEADERS}/stamp-${LO_OFFAPI_SHA})
endif()

add_library(corvane_uno_sdk INTERFACE)
target_include_directories(corvane_uno_sdk SYSTEM INTERFACE ${LO_SDK_DIR}/include ${LO_UNO_HEADERS})
target_compile_definitions(corvane_uno_sdk INTERFACE UNX GCC LINUX CPPU_ENV=gcc3
                           LO_PROGRAM_DIR="${LO_PROGRAM_DIR}")
target_compile_options(corvane_uno_sdk INTERFACE -Wno-deprecated-declarations)
if(CORVANE_SANITIZE)
    # The bridge's proxies are objects with generated vtables that the vptr check cannot follow.
    target_compile_options(corvane_uno_sdk INTERFACE -fno-sanitize=vptr)
endif()
target_link_directories(corvane_uno_sdk INTERFACE ${LO_SDK_DIR}/lib)
target_link_libraries(corvane_uno_sdk INTERFACE uno_cppuhelpergcc3 uno_cppu uno_sal uno_salhelpergcc3)
target_link_options(corvane_uno_sdk INTERFACE "LINKER:-rpath,${LO_PROGRAM_DIR}")
