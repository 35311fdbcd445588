# What keeps a build from scratch short on a two-core machine: line tables as the only debug
# information, each target's sources compiled in batches, and the headers most sources share
# precompiled once.

# Line tables are the debug information we use (a backtrace names function, file and line); the
# full kind took about a third of every compile and most of the test executables' size.
add_compile_options($<$<CONFIG:RelWithDebInfo>:-g1>)

# The sources of a target compile in batches (unity build), which parse the headers they share once
# and instantiate the same templates once. So names local to a file (anonymous namespaces, aliases)
# differ between the files of one target. -DCMAKE_UNITY_BUILD=OFF compiles them one by one; a file
# that cannot join a batch gets the source property SKIP_UNITY_BUILD_INCLUSION.
if(NOT DEFINED CMAKE_UNITY_BUILD)
    set(CMAKE_UNITY_BUILD ON)
endif()
if(NOT DEFINED CMAKE_UNITY_BUILD_BATCH_SIZE)
    set(CMAKE_UNITY_BUILD_BATCH_SIZE 8)
endif()
if(CMAKE_UNITY_BUILD)
    # A batch includes its sources: a test fixture in an anonymous namespace then looks to the
    # compiler like a type of a header's, which this warning is about.
    add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-Wno-subobject-linkage>)
endif()

# The headers most sources include, precompiled once per layer by a target of its own and taken by
# the targets of that layer (CMAKE_DISABLE_PRECOMPILE_HEADERS=ON compiles without them). The class
# library's set holds only its own headers and the system's, so that it does not reach upwards.
set(ZIRV_CLASS_LIBRARY_HEADERS
    <winsock2.h> <windows.h> <algorithm> <cstdint> <cstring> <functional> <memory> <optional> <string>
    <vector> ${CMAKE_SOURCE_DIR}/vcl/sysutils.h ${CMAKE_SOURCE_DIR}/vcl/properties.h
    ${CMAKE_SOURCE_DIR}/vcl/forms.h)
set(ZIRV_SKIN_ENGINE_HEADERS ${ZIRV_CLASS_LIBRARY_HEADERS}
    ${CMAKE_SOURCE_DIR}/skin/graphics/sGraphUtils.h ${CMAKE_SOURCE_DIR}/skin/graphics/BitmapView.h
    ${CMAKE_SOURCE_DIR}/skin/core/sSkinManager.h ${CMAKE_SOURCE_DIR}/skin/core/sVclUtils.h
    ${CMAKE_SOURCE_DIR}/skin/core/sMessages.h)
set(ZIRV_TEST_HEADERS ${ZIRV_SKIN_ENGINE_HEADERS} <gtest/gtest.h> ${CMAKE_SOURCE_DIR}/testsupport/pump.h)

# zirv_precompiled_headers(name HEADERS ... [LIBS ...]): the target that precompiles the headers,
# with the include directories and definitions that LIBS give their users.
function(zirv_precompiled_headers name)
    cmake_parse_arguments(PARSE_ARGV 1 P "" "" "HEADERS;LIBS")
    # A source of its own: a target of no sources precompiles nothing.
    set(source ${CMAKE_BINARY_DIR}/${name}.cpp)
    file(CONFIGURE OUTPUT ${source} CONTENT "// Compiled for the precompiled headers only.\n")
    add_library(${name} OBJECT ${source})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PRIVATE ${P_LIBS})
    target_precompile_headers(${name} PRIVATE ${P_HEADERS})
endfunction()

zirv_precompiled_headers(zirv_class_library_pch HEADERS ${ZIRV_CLASS_LIBRARY_HEADERS})
zirv_precompiled_headers(zirv_skin_engine_pch HEADERS ${ZIRV_SKIN_ENGINE_HEADERS})
zirv_precompiled_headers(zirv_test_pch HEADERS ${ZIRV_TEST_HEADERS} LIBS gtest)
target_include_directories(zirv_test_pch PRIVATE ${CMAKE_SOURCE_DIR}/testsupport)

# zirv_use_precompiled_headers(name DIRECTORY...): the libraries and programs of those folders take
# the headers precompiled by the target name (the tests take theirs in zirv_add_test).
function(zirv_use_precompiled_headers name)
    foreach(dir ${ARGN})
        get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
        foreach(target ${targets})
            get_target_property(type ${target} TYPE)
            if(type STREQUAL "STATIC_LIBRARY" OR type STREQUAL "EXECUTABLE")
                target_precompile_headers(${target} REUSE_FROM ${name})
            endif()
        endforeach()
    endforeach()
endfunction()
