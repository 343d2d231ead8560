# kvl_add_layer(target FOLDER folder [DEPENDS layer ...] [SYSTEM_LIBS lib ...])
# Makes one static library of a folder's sources. The layers are stacked (system < classes < …
# < app) and the build enforces it: a layer's sources see the headers of their own folder and of
# the layers they link, and nothing else. Each layer publishes an include "view" that holds one
# link, <view>/<folder> -> the folder, so "framework/classes/Component.h" resolves only for code
# that links the classes layer; an include that runs back up fails to compile.
# kvl_layer_view(out_var target folder): makes the view directory of a target that publishes one
# folder, and answers its path.
function(kvl_layer_view out_var target folder)
  set(view "${CMAKE_BINARY_DIR}/layer-views/${target}")
  get_filename_component(link_parent "${view}/${folder}" DIRECTORY)
  file(MAKE_DIRECTORY "${link_parent}")
  file(CREATE_LINK "${CMAKE_SOURCE_DIR}/${folder}" "${view}/${folder}" SYMBOLIC)
  set(${out_var} "${view}" PARENT_SCOPE)
endfunction()

function(kvl_add_layer target)
  cmake_parse_arguments(L "" "FOLDER" "DEPENDS;SYSTEM_LIBS" ${ARGN})
  set(folder "${CMAKE_SOURCE_DIR}/${L_FOLDER}")
  if(NOT IS_DIRECTORY "${folder}")
    message(FATAL_ERROR "kvl_add_layer: ${folder} is not a folder")
  endif()
  kvl_layer_view(view ${target} ${L_FOLDER})

  file(GLOB sources CONFIGURE_DEPENDS "${folder}/*.cpp")
  if(sources)
    add_library(${target} STATIC ${sources})
    target_include_directories(${target} PUBLIC "${view}")
    target_link_libraries(${target} PUBLIC ${L_DEPENDS} ${L_SYSTEM_LIBS})
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE "${view}")
    target_link_libraries(${target} INTERFACE ${L_DEPENDS} ${L_SYSTEM_LIBS})
  endif()
endfunction()
