# Helpers shared by every folder: warnings, sanitizers, Qt conventions and test registration.

set(VANTOR_WARNINGS -Wall -Wextra -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual)

# Options every target of ours gets, plain C++ or Qt.
function(vantor_target_defaults target)
    target_compile_options(${target} PRIVATE ${VANTOR_WARNINGS})
    if(VANTOR_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(VANTOR_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                 -fno-sanitize-recover=undefined)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()

# A static library for one source folder. Headers are included as "folder/Class.h" from src/.
function(vantor_library target)
    add_library(${target} STATIC ${ARGN})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    vantor_target_defaults(${target})
endfunction()

# Qt targets keep bytes and text apart: no implicit conversion from or to const char*.
function(vantor_qt_conventions target)
    set_target_properties(${target} PROPERTIES AUTOMOC ON AUTORCC ON)
    target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
endfunction()

# vantor_gtest(name LABELS l... SOURCES s... LINK t...): a GoogleTest program, each test case a CTest test.
function(vantor_gtest name)
    cmake_parse_arguments(ARG "" "" "LABELS;SOURCES;LINK" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    vantor_target_defaults(${name})
    target_link_libraries(${name} PRIVATE ${ARG_LINK} GTest::gtest GTest::gtest_main)
    target_compile_definitions(${name} PRIVATE VANTOR_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
                                               VANTOR_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    gtest_discover_tests(${name} PROPERTIES LABELS "${ARG_LABELS}" DISCOVERY_TIMEOUT 60)
endfunction()

# vantor_qtest(name LABELS l... SOURCES s... LINK t...): a Qt Test program run offscreen as one CTest test.
function(vantor_qtest name)
    cmake_parse_arguments(ARG "" "" "LABELS;SOURCES;LINK" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    vantor_target_defaults(${name})
    vantor_qt_conventions(${name})
    target_link_libraries(${name} PRIVATE ${ARG_LINK} Qt6::Test)
    target_compile_definitions(${name} PRIVATE VANTOR_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
                                               VANTOR_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}"
                         ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=qt.multimedia*=false")
endfunction()
