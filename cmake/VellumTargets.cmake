# Build settings and helper functions shared by every subsystem.

if(VELLUM_WINDOWS)
  enable_language(RC)
  set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)
  add_compile_definitions(UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  add_compile_options(-Wall -Wextra -Wno-unused-parameter -Wno-cast-function-type -Wno-missing-field-initializers)
  # Static runtime: the DLLs and EXEs need no mingw runtime DLLs beside them.
  add_link_options(-static -static-libgcc -static-libstdc++)

  # GoogleTest from the machine's sources, compiled for Windows.
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  add_compile_options(-Wall -Wextra -Wno-unused-parameter)
  option(VELLUM_SANITIZE "Build the native tree with AddressSanitizer and UndefinedBehaviorSanitizer" ON)
  set(VELLUM_IS_CLANG OFF)
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    set(VELLUM_IS_CLANG ON)
  endif()
  if(VELLUM_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
    if(VELLUM_IS_CLANG)
      # Coverage instrumentation everywhere, so that fuzz targets see inside the libraries.
      add_compile_options(-fsanitize=fuzzer-no-link)
    endif()
  endif()
  find_package(GTest QUIET)
  find_package(benchmark QUIET)
endif()

# vellum_test(NAME SOURCES ... LIBS ...): one test EXE, one CTest test (one Wine process per EXE).
function(vellum_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()

# vellum_fuzzer(NAME SOURCES ... LIBS ... SECONDS n | RUNS n): a libFuzzer target (native clang with sanitizers
# only); the test run fuzzes it for a bounded time.
function(vellum_fuzzer name)
  cmake_parse_arguments(F "" "SECONDS;RUNS" "SOURCES;LIBS" ${ARGN})
  if(NOT VELLUM_NATIVE OR NOT VELLUM_IS_CLANG OR NOT VELLUM_SANITIZE)
    return()
  endif()
  if(NOT F_SECONDS)
    set(F_SECONDS 30)
  endif()
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}_corpus)
  file(MAKE_DIRECTORY ${corpus})
  set(seeds)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
    set(seeds ${CMAKE_CURRENT_SOURCE_DIR}/corpus/${name})
  endif()
  # RUNS: a fixed number of inputs from a fixed seed, the same on every machine, for a target whose
  # oracle is still being learnt: the test run stays repeatable, longer runs by hand explore further.
  if(F_RUNS)
    set(bound -runs=${F_RUNS} -seed=1)
  else()
    set(bound -max_total_time=${F_SECONDS})
  endif()
  add_test(NAME ${name}
           COMMAND ${name} ${bound} -timeout=10 -rss_limit_mb=2048
                   ${corpus} ${seeds})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300 LABELS fuzz)
endfunction()

# vellum_benchmark(NAME SOURCES ... LIBS ...): Google Benchmark EXE (native, not a test).
function(vellum_benchmark name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT VELLUM_NATIVE OR NOT benchmark_FOUND)
    return()
  endif()
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/benchmarks)
endfunction()
