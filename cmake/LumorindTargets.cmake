# Helpers that keep each folder's CMakeLists short.
#
# Automatic moc remembers the headers it saw through a depfile, so a header
# that a later glob adds (a new Q_OBJECT class) is not seen until the next
# clean build, and linking fails with "undefined reference to vtable". When
# the list of sources changes, the moc step's stamp is removed so it runs again.
function(lumorind_rescan_moc_on_new_files target sources)
  set(list_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_sources.txt)
  string(REPLACE ";" "\n" content "${sources}")
  set(previous "")
  if(EXISTS ${list_file})
    file(READ ${list_file} previous)
  endif()
  if(NOT previous STREQUAL content)
    file(WRITE ${list_file} "${content}")
    file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/timestamp)
  endif()
endfunction()

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
    lumorind_rescan_moc_on_new_files(${target} "${sources}")
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
  lumorind_rescan_moc_on_new_files(${target} "${sources}")
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PRIVATE lumorind_test_main ${ARG_LIBS} lumorind_warnings)
  gtest_discover_tests(${target}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
endfunction()

# lumorind_report_templates(<target> OUTPUT_DIR <dir>)
#   Builds every report template description under src/ (<name>.frs, kept in
#   the repository) with lumorind-report into <dir>/<name>.frf, the folder the
#   application loads its templates from. Call it once lumorind-report exists.
function(lumorind_report_templates target)
  cmake_parse_arguments(ARG "" "OUTPUT_DIR" "" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*.frs)
  set(outputs "")
  foreach(frs IN LISTS sources)
    get_filename_component(name ${frs} NAME_WE)
    set(frf ${ARG_OUTPUT_DIR}/${name}.frf)
    add_custom_command(OUTPUT ${frf}
                       COMMAND lumorind-report build ${frs} ${frf}
                       DEPENDS ${frs} lumorind-report
                       COMMENT "Building the report template ${name}.frf"
                       VERBATIM)
    list(APPEND outputs ${frf})
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${outputs})
endfunction()
