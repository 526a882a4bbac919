# plomix_library(<Folder> [FOLDER <path below src/>] [DEPS <folder or target>...])
#
# Makes the library plomix_<Folder> from every .cpp, .h and .ui directly in src/<Folder>
# (a new file needs no edit here). DEPS names the folders (by folder name) and the outside
# libraries (by target) it uses; a folder must come after the folders it uses.
#
# A library publishes its own folder only, through a link in the build tree
# (build/include/<Folder>/<Folder> -> src/<Folder>), so `#include "Frame/..."` compiles in
# a folder only when that folder names Frame among its DEPS, directly or through a DEPS.
set_property(GLOBAL PROPERTY PLOMIX_FOLDERS "")
set_property(GLOBAL PROPERTY PLOMIX_TARGETS "")

function(plomix_library name)
  cmake_parse_arguments(ARG "" "FOLDER" "DEPS" ${ARGN})
  if(NOT ARG_FOLDER)
    set(ARG_FOLDER ${name})
  endif()
  set(folder ${PROJECT_SOURCE_DIR}/src/${ARG_FOLDER})
  set(target plomix_${name})

  # The include root: a folder holding a single link named like the folder's path.
  set(root ${PROJECT_BINARY_DIR}/include/${name})
  get_filename_component(link_parent ${root}/${ARG_FOLDER} DIRECTORY)
  file(MAKE_DIRECTORY ${link_parent})
  file(CREATE_LINK ${folder} ${root}/${ARG_FOLDER} SYMBOLIC)

  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp ${folder}/*.h ${folder}/*.ui)
  set(compiled ${sources})
  list(FILTER compiled INCLUDE REGEX "\\.cpp$")
  if(compiled)
    add_library(${target} STATIC ${sources})
    set(scope PUBLIC)
    # Windows inherit their generated form classes, so their users need the generated headers.
    target_include_directories(${target} PUBLIC ${root}
      ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/include)
  else()
    add_library(${target} INTERFACE ${sources})
    set(scope INTERFACE)
    target_include_directories(${target} INTERFACE ${root})
  endif()

  foreach(dep ${ARG_DEPS})
    if(TARGET plomix_${dep})
      target_link_libraries(${target} ${scope} plomix_${dep})
    else()
      target_link_libraries(${target} ${scope} ${dep})
    endif()
  endforeach()
  set_property(GLOBAL APPEND PROPERTY PLOMIX_FOLDERS ${ARG_FOLDER})
  set_property(GLOBAL APPEND PROPERTY PLOMIX_TARGETS ${target})
endfunction()

# After the last plomix_library line: checks that every folder below src/ holding sources
# has its line (a folder without one would be left out of the build silently) and makes
# plomix_all, every library at once, for the tests and the benchmarks.
function(plomix_all_libraries)
  get_property(folders GLOBAL PROPERTY PLOMIX_FOLDERS)
  get_property(targets GLOBAL PROPERTY PLOMIX_TARGETS)
  file(GLOB_RECURSE all LIST_DIRECTORIES false RELATIVE ${PROJECT_SOURCE_DIR}/src
    CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h)
  foreach(file ${all})
    get_filename_component(dir ${file} DIRECTORY)
    if(dir AND NOT dir IN_LIST folders)
      message(FATAL_ERROR "src/${dir} has no plomix_library() line in CMakeLists.txt")
    endif()
  endforeach()

  add_library(plomix_all INTERFACE)
  target_link_libraries(plomix_all INTERFACE ${targets})
endfunction()
