# One static library per source folder. Units live in feature folders below it; every folder
# is on the library's own include path, so a header is included by its file name wherever it
# lives. Only the folders named PUBLIC reach what links the library: an include that runs the
# wrong way (accessories/ into a unit of schedule/) does not compile.
#   kolvane_library(<name> PUBLIC <folders relative to the library> LINKS <libraries>)
function(kolvane_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "PUBLIC;LINKS")
  set(root ${CMAKE_CURRENT_SOURCE_DIR})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${root}/*.cpp ${root}/*.h)
  set(dirs ${root})
  foreach(src IN LISTS sources)
    get_filename_component(dir ${src} DIRECTORY)
    list(APPEND dirs ${dir})
  endforeach()
  list(REMOVE_DUPLICATES dirs)
  set(public)
  foreach(folder IN LISTS arg_PUBLIC)
    if(NOT IS_DIRECTORY ${root}/${folder})
      message(FATAL_ERROR "${name}: no folder ${folder} to export")
    endif()
    list(APPEND public ${root}/${folder})
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PRIVATE ${dirs})
  if(public)
    target_include_directories(${name} PUBLIC ${public})
  endif()
  target_link_libraries(${name} PUBLIC ${arg_LINKS})
  set_property(TARGET ${name} PROPERTY KOLVANE_INNER_DIRS ${dirs})
endfunction()

# The program entries, the tests and the benchmarks put the libraries together: they see every
# folder of the libraries named.
function(kolvane_see_inside target)
  foreach(lib IN LISTS ARGN)
    target_include_directories(${target} PRIVATE $<TARGET_PROPERTY:${lib},KOLVANE_INNER_DIRS>)
  endforeach()
endfunction()
