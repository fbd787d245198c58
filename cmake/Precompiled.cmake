# Precompiled headers: most of a translation unit's time goes to parsing the
# standard library, Qt and GoogleTest headers, the same in every file of a
# target. exo_precompile(TARGET KIND) gives TARGET one header of them, where
# KIND is engine, ui, test or ui-test. -DEXO_PCH=OFF builds without.
option(EXO_PCH "Precompile the common headers of each target" ON)

set(EXO_PCH_ENGINE <algorithm> <array> <cmath> <cstdint> <functional> <map> <memory>
  <optional> <span> <string> <utility> <vector> <QByteArray> <QImage> <QPainter> <QString>)
set(EXO_PCH_UI <QAction> <QApplication> <QDialog> <QLabel> <QMainWindow> <QMenu> <QPushButton>
  <QToolButton> <QWidget>)
set(EXO_PCH_TEST <gtest/gtest.h> <QDir> <QFile> <QTemporaryDir>)

function(exo_precompile target kind)
  if(NOT EXO_PCH)
    return()
  endif()
  set(headers ${EXO_PCH_ENGINE})
  if(kind MATCHES "ui")
    list(APPEND headers ${EXO_PCH_UI})
  endif()
  if(kind MATCHES "test")
    list(APPEND headers ${EXO_PCH_TEST})
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
  # From a precompiled header GCC 12 reports std::string's inlined copies in
  # the tests' operator+ as out-of-bounds (its known false positives, hidden
  # in system headers otherwise); the sanitizer builds check bounds for real.
  if(kind MATCHES "test" AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -Wno-array-bounds -Wno-stringop-overflow
      -Wno-stringop-overread -Wno-restrict)
  endif()
endfunction()
