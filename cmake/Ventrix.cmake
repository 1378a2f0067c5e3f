# Shared build conventions: one static library per folder, one test program per folder.

function(ventrix_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(VENTRIX_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Qt's moc step of an incremental Ninja build does not notice a header that a
# re-glob added, so a new Q_OBJECT class would fail to link until the build
# folder is wiped. When a target's list of files changes, its moc timestamp
# is removed, which makes that step run again.
function(ventrix_autogen_follows_files name)
  string(JOIN "\n" listing ${ARGN})
  set(list_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_files.txt)
  set(previous "")
  if(EXISTS ${list_file})
    file(READ ${list_file} previous)
  endif()
  if(NOT previous STREQUAL "${listing}")
    file(WRITE ${list_file} "${listing}")
    file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/${name}_autogen/timestamp)
  endif()
endfunction()

# ventrix_library(<name> [DEPS <targets>...])
# Builds every .cpp of the calling folder into a static library <name>.
function(ventrix_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    return() # a folder whose first sources are still being written
  endif()
  add_library(${name} STATIC ${sources} ${headers})
  ventrix_autogen_follows_files(${name} ${sources} ${headers})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  ventrix_warnings(${name})
endfunction()

# ventrix_tests(<name> [QT] [DEPS <targets>...])
# Builds every .cpp of the calling tests folder into one GoogleTest program.
# QT: the program's main creates a QApplication first (window tests).
function(ventrix_tests name)
  cmake_parse_arguments(ARG "QT" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  if(ARG_QT)
    add_executable(${name} ${sources} ${PROJECT_SOURCE_DIR}/tests/QtTestMain.cpp)
    file(GLOB test_headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    ventrix_autogen_follows_files(${name} ${sources} ${test_headers})
    find_package(Qt6 REQUIRED COMPONENTS Widgets Test)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} Qt6::Widgets Qt6::Test GTest::gtest GTest::gmock)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
  else()
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  endif()
  ventrix_warnings(${name})
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()
