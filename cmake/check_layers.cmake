# Fails when a source folder includes a folder above its layer.
#   cmake -DSOURCE_DIR=<src> -P check_layers.cmake
#
# A folder's layer is its first path part below src/; in the HTML engine it
# is the engine's sub-folder. An include "x/y.h" belongs to the layer of
# "x" (or "htmlengine/x"). Every folder lists the layers it may include,
# itself among them; the lists follow the layer order:
#
#   common <- htmlengine (support <- style <- tokenizer <- document
#             <- builder, layout <- view)
#   common <- app <- search
#   core <- index, editor
#   Qt: qtcommon <- browser, editor windows <- ui <- gui;  cli over the core

cmake_minimum_required(VERSION 3.25)

set(engine_support  common htmlengine/support)
set(engine_style    ${engine_support} htmlengine/style)
set(engine_tokenizer ${engine_style} htmlengine/tokenizer)
set(engine_document ${engine_tokenizer} htmlengine/document)
set(engine_all      ${engine_document} htmlengine/builder htmlengine/layout htmlengine/view)

set(allowed_common               common)
set(allowed_htmlengine/support   ${engine_support})
set(allowed_htmlengine/style     ${engine_style})
set(allowed_htmlengine/tokenizer ${engine_tokenizer})
set(allowed_htmlengine/document  ${engine_document})
set(allowed_htmlengine/builder   ${engine_document} htmlengine/builder)
set(allowed_htmlengine/layout    ${engine_document} htmlengine/layout)
set(allowed_htmlengine/view      ${engine_all})
set(allowed_app                  common app)
set(allowed_search               common app search)
set(allowed_index                ${engine_all} app search index)
set(allowed_editor               ${engine_all} app editor qtcommon)
set(allowed_cli                  ${engine_all} app search index editor cli)
set(allowed_qtcommon             common qtcommon)
set(allowed_browser              common app search browser qtcommon)
set(allowed_ui                   ${engine_all} app search index editor qtcommon browser ui)
set(allowed_gui                  ${allowed_ui} gui)

# The layer of a path relative to src/ ("htmlengine/view/x.h" -> "htmlengine/view").
function(layer_of path out)
  string(REGEX MATCH "^htmlengine/[^/]+/" engine_part "${path}")
  if(engine_part)
    string(REGEX REPLACE "/$" "" layer "${engine_part}")
  else()
    string(REGEX MATCH "^[^/]+" layer "${path}")
  endif()
  set(${out} "${layer}" PARENT_SCOPE)
endfunction()

get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
set(faults 0)
foreach(source IN LISTS sources)
  if(NOT source MATCHES "/")
    continue()
  endif()
  layer_of("${source}" layer)
  if(NOT DEFINED "allowed_${layer}")
    message(SEND_ERROR "src/${source}: the folder ${layer} has no place in the layer list of cmake/check_layers.cmake")
    math(EXPR faults "${faults} + 1")
    continue()
  endif()
  file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]*/")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" included "${line}")
    layer_of("${included}" included_layer)
    if(NOT included_layer IN_LIST "allowed_${layer}")
      message(SEND_ERROR "src/${source} includes \"${included}\": ${layer} may not include ${included_layer}")
      math(EXPR faults "${faults} + 1")
    endif()
  endforeach()
endforeach()
if(faults GREATER 0)
  message(FATAL_ERROR "${faults} include(s) reach a layer above their own")
endif()
