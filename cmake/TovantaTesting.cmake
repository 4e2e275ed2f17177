# tovanta_add_test(<name> SOURCES <files...> [LIBS <targets...>] [INTEGRATION] [LABELS <labels...>])
#
# One QtTest executable per unit, registered with CTest under <name>.
# INTEGRATION tests need the sandbox exchange: they require the "sandbox" fixture,
# which starts it before the first such test and stops it after the last.
# Every test runs with a pinned locale; the whole ctest run happens under Xvfb.

# The integration tests' exchange is their own: a port base of this build folder (XMPP on
# base + 222, HTTP on base + 280), so a demo or another build folder's tests on the same
# machine never serve them. Below the kernel's ephemeral port range, in steps of 500.
string(MD5 tovanta_build_hash "${PROJECT_BINARY_DIR}")
string(SUBSTRING "${tovanta_build_hash}" 0 4 tovanta_build_hash)
math(EXPR tovanta_default_port_base "20000 + (0x${tovanta_build_hash} % 25) * 500")
set(TOVANTA_TEST_PORT_BASE ${tovanta_default_port_base} CACHE STRING
    "Port base of the integration tests' own exchange (XMPP base+222, HTTP base+280)")
math(EXPR TOVANTA_TEST_C2S_PORT "${TOVANTA_TEST_PORT_BASE} + 222")
math(EXPR TOVANTA_TEST_HTTP_PORT "${TOVANTA_TEST_PORT_BASE} + 280")

function(tovanta_add_test name)
    cmake_parse_arguments(T "INTEGRATION" "" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(test_${name} ${T_SOURCES})
    target_link_libraries(test_${name} PRIVATE Qt5::Test ${T_LIBS})
    target_compile_definitions(test_${name} PRIVATE
        TOVANTA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
        TOVANTA_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
        TOVANTA_ARTIFACT_DIR="${PROJECT_BINARY_DIR}/artifacts")
    add_test(NAME ${name} COMMAND test_${name})
    set(env
        "LC_ALL=C.UTF-8" "LANG=C.UTF-8" "LANGUAGE=" "TZ=Asia/Shanghai"
        "QTWEBENGINE_DISABLE_SANDBOX=1"
        "QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu --no-sandbox"
        # Web views are drawn in software, as the program draws them.
        "QT_XCB_GL_INTEGRATION=none" "QT_QUICK_BACKEND=software"
        "TOVANTA_SANDBOX_RUNDIR=${PROJECT_BINARY_DIR}/sandbox-run"
        "TOVANTA_SANDBOX_C2S_PORT=${TOVANTA_TEST_C2S_PORT}"
        "TOVANTA_SANDBOX_HTTP_PORT=${TOVANTA_TEST_HTTP_PORT}")
    set(labels ${T_LABELS})
    if(T_INTEGRATION)
        set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED sandbox RESOURCE_LOCK sandbox)
        list(APPEND labels integration)
    else()
        list(APPEND labels unit)
    endif()
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" LABELS "${labels}" TIMEOUT 300)
endfunction()
