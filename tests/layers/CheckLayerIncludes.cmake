# Every header below src/ is included by its path from src/ ("params/ParameterTable.h"), so
# the include path alone no longer keeps a layer from reaching upward. This check does:
# each layer may include only itself and the layers below it, and nothing below `ui` and
# `live` sees Qt (the PDF layer sees QtGui, never the widgets).
#
#   cmake -DSOURCE_DIR=<repository> -P CheckLayerIncludes.cmake

cmake_minimum_required(VERSION 3.20)

set(plain link lang diagnostics params book fields wizard report)
set(allowed_link link)
set(allowed_lang lang)
set(allowed_diagnostics diagnostics)
set(allowed_params params link lang)
set(allowed_book book params link lang)
set(allowed_fields fields params link lang)
set(allowed_wizard wizard params link lang diagnostics)
set(allowed_report report fields wizard params link lang diagnostics)
set(allowed_reportpdf reportpdf report fields wizard params link lang diagnostics)
set(allowed_live live params link lang diagnostics)
set(allowed_ui ui live reportpdf report book fields wizard params link lang diagnostics)
set(layers link lang diagnostics params book fields wizard report reportpdf live ui)

set(breaches "")
foreach(layer IN LISTS layers)
  file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/src/${layer}/*.h ${SOURCE_DIR}/src/${layer}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]*)[\">].*" "\\1" included "${line}")
      if(included MATCHES "^([a-z]+)/")
        set(target_layer ${CMAKE_MATCH_1})
        if(target_layer IN_LIST layers AND NOT target_layer IN_LIST allowed_${layer})
          list(APPEND breaches "${source}: ${layer} includes ${included}")
        endif()
      endif()
      if(layer IN_LIST plain AND included MATCHES "^Q[A-Za-z]*$|^Qt[A-Za-z]*/")
        list(APPEND breaches "${source}: plain C++ includes ${included}")
      endif()
      if(layer STREQUAL "reportpdf" AND included MATCHES "^QtWidgets/|^Q(Widget|Dialog|Application|MessageBox)$")
        list(APPEND breaches "${source}: the PDF layer includes ${included}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(breaches)
  list(JOIN breaches "\n" text)
  message(FATAL_ERROR "Includes that reach past their layer:\n${text}")
endif()
message(STATUS "Every layer includes only itself and the layers below it")
