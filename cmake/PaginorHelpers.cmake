# Shared build rules of the Paginor libraries, tests and benchmarks.

set(PAGINOR_PCH_HEADERS
    <QtCore/QString>
    <QtCore/QByteArray>
    <QtCore/QList>
    <QtCore/QHash>
    <QtCore/QMap>
    <QtCore/QObject>
    <QtCore/QFile>
    <QtCore/QDir>
    <QtCore/QFileInfo>
    <QtGui/QColor>
    <QtGui/QImage>
    <QtGui/QPainter>
    <QtWidgets/QWidget>
    <memory>
    <vector>
    <string>
    <functional>
    <optional>
)

# paginor_reuse_pch(<target> <donor> <link targets> <headers>...)
# Gives the target the precompiled header of the donor, a library of one
# empty source made on first use with the given headers and links. A
# precompiled header is about 150 MB; one per library and test program made
# the two build trees of a full test run (plain and sanitized) 6 GB larger.
# A header is only used with the flags it was made with: the targets that
# take ImageMagick's flags (OpenMP among them) share a donor that has them
# too. Where a target's flags still differ, GCC warns (-Winvalid-pch) and
# reads the headers themselves: slower, never wrong.
function(paginor_reuse_pch target donor links)
    if(NOT TARGET ${donor})
        set(source ${PROJECT_BINARY_DIR}/${donor}.cpp)
        if(NOT EXISTS ${source})
            file(WRITE ${source} "// The precompiled header's own translation unit.\n")
        endif()
        add_library(${donor} STATIC ${source})
        target_link_libraries(${donor} PRIVATE ${links})
        target_precompile_headers(${donor} PRIVATE ${ARGN})
        paginor_warnings(${donor})
    endif()
    set_target_properties(${target} PROPERTIES PRECOMPILE_HEADERS_REUSE_FROM ${donor})
endfunction()

# The precompiled header of the libraries, with ImageMagick's flags or without.
function(paginor_library_pch target magick)
    if(magick)
        paginor_reuse_pch(${target} paginor_pch_magick "Qt6::Widgets;PkgConfig::MAGICKPP" ${PAGINOR_PCH_HEADERS})
    else()
        paginor_reuse_pch(${target} paginor_pch "Qt6::Widgets" ${PAGINOR_PCH_HEADERS})
    endif()
endfunction()

function(paginor_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()

# paginor_library(<name> [DEPS <targets>...])
# Builds every .cpp below the calling folder (main.cpp, demo/ and fuzz/
# excepted) into the static library paginor_<name>. Headers are included from
# the source root:
#   #include "util/ColorText.h"
function(paginor_library name)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    # Filtered on the paths inside the folder, so that a checkout whose own
    # path holds a folder named demo or fuzz still builds.
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    list(FILTER sources EXCLUDE REGEX "(^|/)main\\.cpp$")
    list(FILTER sources EXCLUDE REGEX "(^|/)demo/")
    list(FILTER sources EXCLUDE REGEX "(^|/)fuzz/")
    list(TRANSFORM sources PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
    set(target paginor_${name})
    set(cpp ${sources})
    list(FILTER cpp INCLUDE REGEX "\\.cpp$")
    if(cpp)
        add_library(${target} STATIC ${sources})
        target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR})
        target_link_libraries(${target} PUBLIC ${ARG_DEPS})
        # The program's libraries link each other, the image library among
        # them, which gives its users ImageMagick's flags.
        if(target IN_LIST PAGINOR_PROGRAM_LIBS OR "PkgConfig::MAGICKPP" IN_LIST ARG_DEPS)
            paginor_library_pch(${target} ON)
        else()
            paginor_library_pch(${target} OFF)
        endif()
        if(PAGINOR_UNITY)
            set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 12)
        endif()
        paginor_warnings(${target})
    else()
        add_library(${target} INTERFACE)
        target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR})
        target_link_libraries(${target} INTERFACE ${ARG_DEPS})
    endif()
    add_library(paginor::${name} ALIAS ${target})
    set_property(GLOBAL APPEND PROPERTY PAGINOR_LIBRARIES ${target})
endfunction()

# paginor_magick_sources(<target> <sources>...)
# Gives the listed sources of the target (relative to the calling folder)
# ImageMagick's include folders and flags, and links the target to it, without
# putting those flags on the target's other sources or on its users.
function(paginor_magick_sources target)
    foreach(prop INCLUDE_DIRECTORIES COMPILE_OPTIONS COMPILE_DEFINITIONS)
        get_target_property(value PkgConfig::MAGICKPP INTERFACE_${prop})
        if(value)
            set_source_files_properties(${ARGN} TARGET_DIRECTORY ${target} PROPERTIES ${prop} "${value}")
        endif()
    endforeach()
    set_source_files_properties(${ARGN} TARGET_DIRECTORY ${target} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    target_link_libraries(${target} PRIVATE PkgConfig::MAGICKPP)
    paginor_library_pch(${target} ON)
endfunction()

# The layers, lowest first (see the README's Layout): platform, engine, then
# the shared parts of the program res, util and controls, each linking only
# what lies below it, then the program's subsystems. The subsystems call each
# other both ways (the main frame calls the commands, the commands reach the
# main frame): each static one declares all the others, so CMake repeats the
# group on the link line as often as needed, and the shared parts below it.
set(PAGINOR_SHARED_LIBS paginor_controls paginor_util paginor_res)
set(PAGINOR_PROGRAM_LIBS
    paginor_app paginor_commands paginor_editor paginor_chrome paginor_skins
    paginor_effects paginor_images paginor_publish paginor_web paginor_source
    paginor_frames paginor_dialogs)

function(paginor_tie_program_libraries)
    foreach(lib ${PAGINOR_PROGRAM_LIBS})
        get_target_property(type ${lib} TYPE)
        if(type STREQUAL "STATIC_LIBRARY")
            set(others ${PAGINOR_PROGRAM_LIBS})
            list(REMOVE_ITEM others ${lib})
            target_link_libraries(${lib} PUBLIC ${others} ${PAGINOR_SHARED_LIBS})
            set_target_properties(${lib} PROPERTIES LINK_INTERFACE_MULTIPLICITY 3)
        endif()
    endforeach()
    paginor_check_layer_links()
endfunction()

# Fails the configuration when a library of a lower layer declares one of a
# higher layer; scripts/check-layers.sh checks the includes the same way.
function(paginor_check_layer_links)
    set(above_platform paginor_engine ${PAGINOR_SHARED_LIBS} ${PAGINOR_PROGRAM_LIBS})
    set(above_engine ${PAGINOR_SHARED_LIBS} ${PAGINOR_PROGRAM_LIBS})
    set(above_res paginor_util paginor_controls ${PAGINOR_PROGRAM_LIBS})
    set(above_util paginor_controls ${PAGINOR_PROGRAM_LIBS})
    set(above_controls ${PAGINOR_PROGRAM_LIBS})
    foreach(layer platform engine res util controls)
        set(lib paginor_${layer})
        get_target_property(type ${lib} TYPE)
        if(type STREQUAL "INTERFACE_LIBRARY")
            get_target_property(deps ${lib} INTERFACE_LINK_LIBRARIES)
        else()
            get_target_property(deps ${lib} LINK_LIBRARIES)
        endif()
        if(NOT deps)
            continue()
        endif()
        foreach(dep ${deps})
            if(dep IN_LIST above_${layer})
                message(FATAL_ERROR "${lib} links ${dep}, which lies above it: "
                                    "a lower layer reaches upward only through an interface it declares")
            endif()
        endforeach()
    endforeach()
endfunction()

function(paginor_link_program target)
    target_link_libraries(${target} PRIVATE ${PAGINOR_PROGRAM_LIBS} ${PAGINOR_SHARED_LIBS} paginor_engine
                                            paginor_platform)
endfunction()

function(paginor_program_executable name)
    add_executable(${name} ${ARGN})
    paginor_link_program(${name})
    paginor_warnings(${name})
endfunction()

# The tests that need a real X display (a WebEngine render process, a
# screenshot of the main window) run under Xvfb when xvfb-run is installed.
find_program(PAGINOR_XVFB_RUN xvfb-run)
# Among them, the tests that run Qt WebEngine's browser in the test process
# run only with this on; off, they skip (the sanitized build turns it off).
option(PAGINOR_LIVE_BROWSER_TESTS "Run the tests of the live browser under Xvfb" ON)

# paginor_test_executable(<name> DIRS <source folders>... [LINK <targets>...]
#                         [PROGRAM] [XVFB <gtest filter>])
# One GoogleTest executable for all tests below the given folders of tests/.
# Each test case is one CTest entry. The cases matching XVFB run instead in one
# entry <name>.xvfb under Xvfb on the xcb platform, alone (the load of the
# parallel run would starve the render process); without xvfb-run they stay
# plain entries, which skip for want of a display.
function(paginor_test_executable name)
    cmake_parse_arguments(ARG "PROGRAM" "XVFB" "DIRS;LINK" ${ARGN})
    set(sources)
    foreach(dir ${ARG_DIRS})
        file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.h)
        list(APPEND sources ${found})
    endforeach()
    set(cpp ${sources})
    list(FILTER cpp INCLUDE REGEX "\\.cpp$")
    if(NOT cpp)
        return()
    endif()
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE paginor_testsupport ${ARG_LINK})
    if(ARG_PROGRAM)
        paginor_link_program(${name})
    endif()
    target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    set(headers ${PAGINOR_PCH_HEADERS} <gtest/gtest.h> ${PROJECT_SOURCE_DIR}/tests/support/QtPrinters.h)
    if(ARG_PROGRAM)
        paginor_reuse_pch(${name} paginor_pch_tests_magick "paginor_testsupport;PkgConfig::MAGICKPP" ${headers})
    else()
        paginor_reuse_pch(${name} paginor_pch_tests paginor_testsupport ${headers})
    endif()
    paginor_warnings(${name})
    set(filter)
    if(ARG_XVFB AND PAGINOR_XVFB_RUN)
        set(filter TEST_FILTER "-${ARG_XVFB}")
        set(browse)
        if(PAGINOR_LIVE_BROWSER_TESTS)
            set(browse 1)
        endif()
        add_test(NAME ${name}.xvfb
            COMMAND ${PAGINOR_XVFB_RUN} -a -s "-screen 0 1280x1024x24"
                    $<TARGET_FILE:${name}> --gtest_filter=${ARG_XVFB})
        set_tests_properties(${name}.xvfb PROPERTIES
            RUN_SERIAL TRUE
            TIMEOUT 300
            ENVIRONMENT "PAGINOR_SOURCE_DIR=${PROJECT_SOURCE_DIR};QT_QPA_PLATFORM=xcb;PAGINOR_BROWSE_TESTS=${browse};QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu;PAGINOR_SCREENSHOT_DIR=${PROJECT_BINARY_DIR}/screenshots")
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        ${filter}
        # One variable only: the discovery passes the properties on as a flat
        # list, so a list value would be torn apart. The test main chooses the
        # offscreen platform itself.
        PROPERTIES ENVIRONMENT "PAGINOR_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
                   TIMEOUT 300)
endfunction()
