# Every library of the game shows its own headers, and only those, under its folder's name
# ("sound/apis.h"), through a folder of links made for it in the build tree. A library then sees
# its own headers and those of what it links: a header of a layer above, or one of a library not
# linked, is not found, so a dependency the CMake files do not name fails to compile.
function(brummo_export_headers target)
  set(dir ${CMAKE_BINARY_DIR}/include/${target})
  file(REMOVE_RECURSE ${dir})
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${source_dir})
  foreach(source IN LISTS sources)
    if(source MATCHES "\\.h$")
      get_filename_component(name ${source} NAME)
      file(MAKE_DIRECTORY ${dir}/${folder})
      file(CREATE_LINK ${source_dir}/${source} ${dir}/${folder}/${name} SYMBOLIC)
    endif()
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${dir})
  else()
    target_include_directories(${target} PUBLIC ${dir})
  endif()
endfunction()
