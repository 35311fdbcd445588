# zirv_add_test(name SOURCES ... LIBS ... [SIMULATOR] [FTP] [USER_INPUT] [HEADLESS] [REGISTRY_KEYS])
# One GoogleTest executable, registered as one ctest entry that runs under Wine.
# SIMULATOR: the test drives the detector simulator (a ctest fixture starts it).
# FTP: the test drives the local FTP server fixture.
# USER_INPUT: the test clicks and types through the X server (the user input fixture).
# HEADLESS: the test opens no window. All other tests share the one display in turn: windows of
# test processes running side by side would overlap and take each other's mouse and focus.
# REGISTRY_KEYS: the test creates and deletes registry keys. Wine's server can crash when a key is
# deleted while another process opens a simulated serial port, so such tests never run beside
# the simulator's.
function(zirv_add_test name)
    cmake_parse_arguments(PARSE_ARGV 1 T "SIMULATOR;FTP;USER_INPUT;HEADLESS;REGISTRY_KEYS" "" "SOURCES;LIBS")
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} zirv_testmain)
    target_precompile_headers(${name} REUSE_FROM zirv_test_pch)
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set(fixtures "")
    set(locks "")
    if(T_SIMULATOR)
        list(APPEND fixtures detsim)
        list(APPEND locks registry-keys)
    endif()
    if(T_FTP)
        list(APPEND fixtures ftpserver)
    endif()
    if(T_USER_INPUT)
        list(APPEND fixtures userinput)
    endif()
    if(NOT T_HEADLESS)
        list(APPEND locks display)
    endif()
    if(T_REGISTRY_KEYS)
        list(APPEND locks registry-keys)
    endif()
    set_tests_properties(${name} PROPERTIES
        TIMEOUT 300
        PASS_REGULAR_EXPRESSION "zirv-test-run: complete, result 0"
        RESOURCE_LOCK "${locks}"
        FIXTURES_REQUIRED "${fixtures}"
        ENVIRONMENT "ZIRV_SOURCE_DIR=${CMAKE_SOURCE_DIR};ZIRV_BINARY_DIR=${CMAKE_BINARY_DIR}")
endfunction()
