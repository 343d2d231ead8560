# Layers: one static library per folder. The layers are stacked (system < classes < … < app) and
# the build enforces it: a layer's sources see the headers of their own folder and of the layers
# they link, and nothing else. Each layer publishes an include "view" that holds one link,
# <view>/<folder> -> the folder, so "framework/classes/Component.h" resolves only for code that
# links the classes layer; an include that runs back up fails to compile.

# kvl_layer_view(out_var target folder): makes the view directory of a target that publishes one
# folder, and answers its path.
function(kvl_layer_view out_var target folder)
  set(view "${CMAKE_BINARY_DIR}/layer-views/${target}")
  get_filename_component(link_parent "${view}/${folder}" DIRECTORY)
  file(MAKE_DIRECTORY "${link_parent}")
  file(CREATE_LINK "${CMAKE_SOURCE_DIR}/${folder}" "${view}/${folder}" SYMBOLIC)
  set(${out_var} "${view}" PARENT_SCOPE)
endfunction()

# kvl_add_layer(target FOLDER folder [DEPENDS layer ...] [SYSTEM_LIBS lib ...]): the library of a
# folder's sources, publishing the folder's view and linking the layers it stands on.
function(kvl_add_layer target)
  cmake_parse_arguments(L "" "FOLDER" "DEPENDS;SYSTEM_LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/${L_FOLDER}/*.cpp")
  file(MAKE_DIRECTORY "${CMAKE_SOURCE_DIR}/${L_FOLDER}")
  kvl_layer_view(view ${target} ${L_FOLDER})
  if(NOT sources)
    # A layer whose folder holds no sources yet still takes its place in the stack.
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE "${view}")
    target_link_libraries(${target} INTERFACE ${L_DEPENDS} ${L_SYSTEM_LIBS})
    return()
  endif()
  add_library(${target} STATIC ${sources})
  kvl_precompiled(${target})
  target_include_directories(${target} PUBLIC "${view}")
  target_link_libraries(${target} PUBLIC ${L_DEPENDS} ${L_SYSTEM_LIBS})
endfunction()
