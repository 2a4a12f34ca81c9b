# add_gauge_module(NAME DIR SOURCES...): one gauge module with its own copy
# of the frame. Native: gauges/NAME.so; win32: gauges/NAME.gau with the two
# exports, the version resource and the bitmaps of resources/<dir>.
set(FRAME_SOURCES
    ${PROJECT_SOURCE_DIR}/frame/module.cpp
    ${PROJECT_SOURCE_DIR}/frame/format.cpp)

function(add_gauge_module name dir)
  set(sources ${ARGN})
  list(TRANSFORM sources PREPEND ${PROJECT_SOURCE_DIR}/${dir}/)
  add_library(${name} SHARED ${FRAME_SOURCES} ${sources})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/frame ${PROJECT_SOURCE_DIR}/${dir})
  target_compile_options(${name} PRIVATE ${PANEL_WARNINGS})
  set_target_properties(${name} PROPERTIES
    PREFIX "" OUTPUT_NAME ${name}
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/gauges
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/gauges
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  if(WIN32)
    # Resource script: the version resource and one RT_BITMAP per listed id.
    file(STRINGS ${PROJECT_SOURCE_DIR}/${dir}/bitmaps.inc lines REGEX "^BITMAP\\(")
    set(rc "#define MODULE_NAME \"${name}\"\n#define MODULE_FILE \"${name}.gau\"\n")
    string(APPEND rc "#include \"${PROJECT_SOURCE_DIR}/frame/version.rc\"\n")
    set(bitmaps)
    foreach(line ${lines})
      string(REGEX REPLACE "^BITMAP\\(([0-9]+),.*" "\\1" id "${line}")
      set(bmp ${PROJECT_SOURCE_DIR}/resources/${dir}/${id}.bmp)
      string(APPEND rc "${id} BITMAP \"${bmp}\"\n")
      list(APPEND bitmaps ${bmp})
    endforeach()
    file(WRITE ${CMAKE_BINARY_DIR}/${name}.rc "${rc}")
    file(WRITE ${CMAKE_BINARY_DIR}/${name}.def "LIBRARY \"${name}.gau\"\nEXPORTS\n    ImportTable DATA\n    Linkage DATA\n")
    target_sources(${name} PRIVATE ${CMAKE_BINARY_DIR}/${name}.rc ${CMAKE_BINARY_DIR}/${name}.def)
    set_source_files_properties(${CMAKE_BINARY_DIR}/${name}.rc PROPERTIES OBJECT_DEPENDS "${bitmaps}")
    set_target_properties(${name} PROPERTIES SUFFIX ".gau")
    target_link_options(${name} PRIVATE -static -static-libgcc -static-libstdc++ -Wl,--kill-at)
    target_link_libraries(${name} PRIVATE user32)
  else()
    set_target_properties(${name} PROPERTIES SUFFIX ".so")
  endif()
endfunction()
