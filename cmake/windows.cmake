# Windows (mingw-w64) build: Tessora.scr, the demo savers and the Wine-run tests.
enable_language(RC)

set(TESSORA_WIN_LINK -static -static-libgcc -static-libstdc++ -s)
set(TESSORA_WIN_LIBS user32 gdi32 comctl32 comdlg32 shell32 advapi32 imm32 uxtheme)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0600)

# Windows programs run under Wine inside the private session that scripts/wine keeps
# for this build folder (its own prefix, Xvfb display and virtual desktop).
set(TESSORA_WINE ${CMAKE_SOURCE_DIR}/scripts/wine)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TESSORA_WINE};run;${CMAKE_BINARY_DIR})

add_library(tessora_win STATIC ${TESSORA_WIN_SOURCES})
target_link_libraries(tessora_win PUBLIC tessora_portable ${TESSORA_WIN_LIBS})
target_compile_options(tessora_win PRIVATE ${TESSORA_WARNINGS})

add_executable(Tessora WIN32 ${CMAKE_SOURCE_DIR}/src/app/main.cpp ${CMAKE_SOURCE_DIR}/src/app/Tessora.rc)
set_target_properties(Tessora PROPERTIES SUFFIX ".scr")
target_link_libraries(Tessora PRIVATE tessora_win)
target_compile_options(Tessora PRIVATE ${TESSORA_WARNINGS} -municode)
target_link_options(Tessora PRIVATE ${TESSORA_WIN_LINK} -municode -mwindows)
file(GLOB TESSORA_PICTURES ${CMAKE_SOURCE_DIR}/src/app/pictures/*.bmp)
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/app/Tessora.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/src/app/Tessora.manifest;${CMAKE_SOURCE_DIR}/src/app/Tessora.ico;${TESSORA_PICTURES}")

# GoogleTest from Debian's source package, built by the cross compiler.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_subdirectory(tools/demosaver)

# The shipped files: PE type and subsystem, and no DLL imports beyond the system's own.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(TESSORA_PE_KIND "PE32+")
else()
  set(TESSORA_PE_KIND "PE32")
endif()
add_test(NAME pe_check COMMAND ${CMAKE_SOURCE_DIR}/cmake/check-pe ${TESSORA_PE_KIND} ${CMAKE_OBJDUMP}
  $<TARGET_FILE:Tessora>)

# 32-bit Windows programs need a kernel that runs 32-bit Linux programs (Wine's
# 32-bit loader); where it cannot, the i686 tests are built but not run here.
set(TESSORA_RUN_WINE_TESTS ON)
if(NOT CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  execute_process(COMMAND ${TESSORA_WINE} can-run-32 ${CMAKE_BINARY_DIR} RESULT_VARIABLE can32 OUTPUT_QUIET ERROR_QUIET)
  if(NOT can32 EQUAL 0)
    set(TESSORA_RUN_WINE_TESTS OFF)
    message(WARNING "This machine cannot run 32-bit programs under Wine: the i686 Windows tests are built "
                    "but not registered. Run them from the x86_64 build (preset windows64).")
  endif()
endif()

# Session fixture: every Wine test requires it, ctest starts and stops it.
if(TESSORA_RUN_WINE_TESTS)
  add_test(NAME wine_session_start COMMAND ${TESSORA_WINE} start ${CMAKE_BINARY_DIR})
  add_test(NAME wine_session_stop COMMAND ${TESSORA_WINE} stop ${CMAKE_BINARY_DIR})
  set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
  set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine)
endif()

# tessora_add_wine_test(NAME SOURCES... [LIBS ...] [TIMEOUT s]): a GoogleTest
# executable run as one ctest test under Wine.
function(tessora_add_wine_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE tessora_win GTest::gtest ${T_LIBS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/windows)
  target_compile_options(${name} PRIVATE ${TESSORA_WARNINGS})
  target_link_options(${name} PRIVATE ${TESSORA_WIN_LINK})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  if(NOT TESSORA_RUN_WINE_TESTS)
    return()
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine_desktop
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "TESSORA_BIN=${CMAKE_BINARY_DIR};TESSORA_SRC=${CMAKE_SOURCE_DIR}")
endfunction()

add_subdirectory(tests/windows)

include(cmake/release.cmake)
