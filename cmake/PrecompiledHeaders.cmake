# Precompiled headers for the targets whose sources read Qt Widgets' or
# GoogleTest's large headers in nearly every file: parsed once per target
# instead of once per source. Only angle-bracket headers from outside the
# tree, so that the generated cmake_pch.hxx is the same text in every clone
# and ccache shares the header, and every source built on it, between clones.
# -DDRAVINOR_PCH=OFF builds without.
#
# The Windows builds go without: nothing there has been measured or proven
# with them.
set(dravinor_pch_default ON)
if(WIN32)
  set(dravinor_pch_default OFF)
endif()
option(DRAVINOR_PCH "Precompile Qt's, GoogleTest's and the common standard headers for the targets that read them"
       ${dravinor_pch_default})

# The standard headers that most of our sources read, directly or through ours.
set(dravinor_pch_standard <algorithm> <array> <chrono> <cstdint> <filesystem> <functional> <map> <memory>
                          <optional> <span> <sstream> <string> <string_view> <variant> <vector>)
set(dravinor_pch_qt <QObject> <QString> <QStringList> <QWidget> <QLabel> <QComboBox> <QCheckBox> <QLineEdit>
                    <QPainter> <QAction> <QTimer> <QApplication>)
set(dravinor_pch_gtest <gtest/gtest.h>)

# dravinor_precompile_headers(TARGET [QT] [GTEST]): the standard headers
# above, with Qt's and GoogleTest's where asked.
function(dravinor_precompile_headers target)
  if(NOT DRAVINOR_PCH)
    return()
  endif()
  cmake_parse_arguments(ARG "QT;GTEST" "" "" ${ARGN})
  set(headers ${dravinor_pch_standard})
  if(ARG_QT)
    list(APPEND headers ${dravinor_pch_qt})
  endif()
  if(ARG_GTEST)
    list(APPEND headers ${dravinor_pch_gtest})
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
  # GCC 12 reads the standard headers' code out of a precompiled header
  # without their system-header standing for its late, inlining warnings:
  # std::string's copies then trip its known false alarms, which it keeps
  # quiet for a header read as text.
  target_compile_options(${target} PRIVATE
    "$<$<CXX_COMPILER_ID:GNU>:-Wno-array-bounds;-Wno-stringop-overflow;-Wno-stringop-overread;-Wno-restrict>")
  # ccache takes a source built on a precompiled header only with these
  # sloppinesses (it cannot see the header's macros or __TIME__ through it,
  # and the header is younger than a fresh build's start), and clang's header
  # only without the times of its inputs, which a new clone changes. Even so
  # clang's header records the clone's include paths, so only GCC's are
  # shared between clones; CI's clang build goes without (.ci/run).
  if(CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache")
    target_compile_options(${target} PRIVATE "$<$<CXX_COMPILER_ID:Clang>:SHELL:-Xclang -fno-pch-timestamp>")
    set_property(TARGET ${target} PROPERTY CXX_COMPILER_LAUNCHER env
      CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime ${CMAKE_CXX_COMPILER_LAUNCHER})
  endif()
endfunction()
