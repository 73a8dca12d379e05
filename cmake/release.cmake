# Release files of a Windows build: the help file beside Tessora.scr, the list of files
# that scripts/package takes from this build, and (x86_64 build only) the tests of the
# help file and of the installer. scripts/package builds the shipped installer and the
# portable zip from both builds.
find_program(TESSORA_CHMCMD chmcmd)
find_program(TESSORA_CHMLS chmls)
find_program(TESSORA_MAKENSIS makensis)

set(TESSORA_CHM ${CMAKE_BINARY_DIR}/Tessora.chm)
set(TESSORA_ICON ${CMAKE_SOURCE_DIR}/src/app/Tessora.ico)
set(TESSORA_NSI ${CMAKE_SOURCE_DIR}/installer/Tessora.nsi)
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/release.env CONTENT
  "TESSORA_VERSION=${PROJECT_VERSION}\nTESSORA_SCR=$<TARGET_FILE:Tessora>\nTESSORA_CHM=${TESSORA_CHM}\n")

if(NOT TESSORA_CHMCMD)
  message(WARNING "chmcmd (Debian package fp-utils, installed by scripts/deps) is missing: "
                  "no help file, and no help or installer tests")
  return()
endif()
file(GLOB TESSORA_HELP_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/help/*)
add_custom_command(OUTPUT ${TESSORA_CHM}
  COMMAND ${CMAKE_SOURCE_DIR}/cmake/build-chm ${CMAKE_SOURCE_DIR}/help ${CMAKE_BINARY_DIR}/help ${TESSORA_CHM}
  DEPENDS ${TESSORA_HELP_SOURCES} ${CMAKE_SOURCE_DIR}/cmake/build-chm
  COMMENT "Compiling the help file Tessora.chm")
add_custom_target(tessora_help ALL DEPENDS ${TESSORA_CHM})

if(NOT CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  return()
endif()

if(TESSORA_CHMLS)
  add_test(NAME help_check COMMAND ${CMAKE_SOURCE_DIR}/tests/release/check-chm ${TESSORA_CHM})
  set_tests_properties(help_check PROPERTIES TIMEOUT 60)
else()
  message(WARNING "chmls (Debian package fp-utils) is missing: the help file is not checked")
endif()

if(NOT TESSORA_MAKENSIS)
  message(WARNING "makensis (Debian package nsis, installed by scripts/deps) is missing: no installer tests")
  return()
endif()

# Test installers from the shipped script. The 64-bit one runs without 32-bit Wine.
# The 32-bit one is the shipped kind, run on 64-bit Windows as most users run it; this
# build has no 32-bit Tessora.scr, so a demo saver stands in for it: installing that
# file instead of this build's Tessora.scr is the fault the test looks for.
set(TESSORA_TEST_INSTALLERS)
function(tessora_test_installer kind)
  set(out ${CMAKE_BINARY_DIR}/installer/Tessora-${PROJECT_VERSION}-setup-${kind}.exe)
  set(defines -DVERSION=${PROJECT_VERSION} -DSCR64=$<TARGET_FILE:Tessora> -DCHM=${TESSORA_CHM}
              -DICON=${TESSORA_ICON} -DOUTFILE=${out})
  if(kind STREQUAL "amd64")
    list(APPEND defines -DAMD64)
  else()
    list(APPEND defines -DSCR32=$<TARGET_FILE:demosaver_Aurora>)
  endif()
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/installer
    COMMAND ${TESSORA_MAKENSIS} -V2 -WX -INPUTCHARSET UTF8 ${defines} ${TESSORA_NSI}
    DEPENDS Tessora demosaver_Aurora ${TESSORA_CHM} ${TESSORA_NSI} ${TESSORA_ICON}
    COMMENT "Building the test installer (${kind})")
  set(TESSORA_TEST_INSTALLERS ${TESSORA_TEST_INSTALLERS} ${out} PARENT_SCOPE)
endfunction()
tessora_test_installer(amd64)
tessora_test_installer(x86)
add_custom_target(test_installers ALL DEPENDS ${TESSORA_TEST_INSTALLERS})

tessora_add_wine_test(installer_test SOURCES ${CMAKE_SOURCE_DIR}/tests/release/Installer_test.cpp
  LIBS process_test_support wine_test_support gtest_main version TIMEOUT 240)
add_dependencies(installer_test test_installers ${TESSORA_DEMO_SAVER_TARGETS})
set_property(TEST installer_test APPEND PROPERTY ENVIRONMENT
  "TESSORA_INSTALLER=Tessora-${PROJECT_VERSION}-setup-amd64.exe" "TESSORA_VERSION=${PROJECT_VERSION}")

execute_process(COMMAND ${TESSORA_WINE} can-run-32 ${CMAKE_BINARY_DIR} RESULT_VARIABLE can32 OUTPUT_QUIET ERROR_QUIET)
if(can32 EQUAL 0)
  add_test(NAME installer_x86_test COMMAND installer_test --gtest_color=no)
  set_tests_properties(installer_x86_test PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine_desktop TIMEOUT 240
    ENVIRONMENT "TESSORA_BIN=${CMAKE_BINARY_DIR};TESSORA_SRC=${CMAKE_SOURCE_DIR};TESSORA_INSTALLER=Tessora-${PROJECT_VERSION}-setup-x86.exe;TESSORA_VERSION=${PROJECT_VERSION}")
else()
  message(STATUS "This machine cannot run 32-bit programs: the 32-bit installer is built but not run")
endif()
