# Installs the build into a scratch prefix, then builds and runs a consumer through the CMake
# package and a C program through pkg-config.
cmake_minimum_required(VERSION 3.25)
set(prefix ${WORK}/prefix)
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix} COMMAND_ERROR_IS_FATAL ANY
                OUTPUT_QUIET)

execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE}/consumer -B ${WORK}/consumer -G Ninja
                -DCMAKE_PREFIX_PATH=${prefix} "-DCMAKE_EXE_LINKER_FLAGS=${SANITIZER_FLAGS}"
                COMMAND_ERROR_IS_FATAL ANY OUTPUT_QUIET)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK}/consumer COMMAND_ERROR_IS_FATAL ANY OUTPUT_QUIET)

file(GLOB_RECURSE pcfile ${prefix}/*/RynRAZUdidazoror.pc)
get_filename_component(pcdir ${pcfile} DIRECTORY)
set(ENV{PKG_CONFIG_PATH} ${pcdir})
execute_process(COMMAND pkg-config --cflags --libs RynRAZUdidazoror OUTPUT_VARIABLE flags
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
separate_arguments(flags UNIX_COMMAND "${flags}")
execute_process(COMMAND cc -std=c99 ${SOURCE}/../exports/c_client.c ${flags} ${SANITIZER_FLAGS} -o ${WORK}/pkgconfig_client
                COMMAND_ERROR_IS_FATAL ANY)

get_filename_component(libdir ${pcdir} DIRECTORY)
set(ENV{LD_LIBRARY_PATH} ${libdir})
foreach(program ${WORK}/consumer/consumer ${WORK}/pkgconfig_client)
  execute_process(COMMAND ${program} RESULT_VARIABLE rc OUTPUT_QUIET)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${program} failed: ${rc}")
  endif()
endforeach()
