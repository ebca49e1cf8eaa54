# Shared compile settings and the helper that declares one subsystem library.

set(SOFTBLIT_SUBSYSTEMS "" CACHE INTERNAL "")

add_library(softblit_options INTERFACE)
target_compile_options(softblit_options INTERFACE -Wall -Wextra)
if(SOFTBLIT_WERROR)
  target_compile_options(softblit_options INTERFACE -Werror)
endif()
if(SOFTBLIT_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_compile_options(softblit_options INTERFACE ${_san})
  target_link_options(softblit_options INTERFACE ${_san})
endif()

# softblit_subsystem(<name> [DEPS <targets>...] [PRIVATE_DEPS <targets>...])
# Builds softblit_<name> from <name>/src/**.cpp with <name>/include as its
# public header root, and adds it to the umbrella target.
function(softblit_subsystem name)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/src/*.cpp)
  if(NOT sources)
    message(STATUS "softblit: ${name} has no sources yet, skipped")
    return()
  endif()
  set(target softblit_${name})
  add_library(${target} STATIC ${sources})
  add_library(softblit::${name} ALIAS ${target})
  set_target_properties(${target} PROPERTIES EXPORT_NAME ${name} OUTPUT_NAME softblit_${name})
  target_include_directories(${target}
    PUBLIC $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/include>
           $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>
    PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${ARG_DEPS} $<BUILD_INTERFACE:softblit_options>
                                  PRIVATE ${ARG_PRIVATE_DEPS})
  install(TARGETS ${target} EXPORT softblitTargets
          ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(DIRECTORY include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
  set(SOFTBLIT_SUBSYSTEMS ${SOFTBLIT_SUBSYSTEMS} ${target} CACHE INTERNAL "")
endfunction()

# softblit_test(<name> <libs>...): one GoogleTest program from tests/<name>/*.cpp.
function(softblit_test name)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(test_${name} ${sources})
  target_link_libraries(test_${name} PRIVATE ${ARGN} softblit_options GTest::gtest_main)
  target_include_directories(test_${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  gtest_discover_tests(test_${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
                       DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
endfunction()
