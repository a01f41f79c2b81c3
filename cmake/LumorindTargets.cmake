# Helpers that keep each folder's CMakeLists short.
#
# lumorind_library(<folder> [DEPS ...])
#   One static library `lumorind_<folder>` from every .cpp under src/<folder>
#   (sub-folders included), with src/ on the include path. A folder that has
#   no sources yet becomes an interface library so its dependents still link.
function(lumorind_library folder)
  cmake_parse_arguments(ARG "" "" "DEPS;EXCLUDE" ${ARGN})
  set(dir ${PROJECT_SOURCE_DIR}/src/${folder})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h ${dir}/*.qrc)
  foreach(ex IN LISTS ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${ex}")
  endforeach()
  set(target lumorind_${folder})
  set(cpp ${sources})
  list(FILTER cpp INCLUDE REGEX "\\.cpp$")
  if(cpp)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${ARG_DEPS} PRIVATE lumorind_warnings)
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# lumorind_test(<folder> LIBS ...)
#   One test program `test_<folder>` from every *_test.cpp under tests/<folder>,
#   linked with the shared test main and only the libraries named.
function(lumorind_test folder)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
       ${PROJECT_SOURCE_DIR}/tests/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/tests/${folder}/*.h
       ${PROJECT_SOURCE_DIR}/tests/${folder}/*.qrc)
  set(cpp ${sources})
  list(FILTER cpp INCLUDE REGEX "\\.cpp$")
  if(NOT cpp)
    return()
  endif()
  set(target test_${folder})
  add_executable(${target} ${sources})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PRIVATE lumorind_test_main ${ARG_LIBS} lumorind_warnings)
  gtest_discover_tests(${target}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
endfunction()
