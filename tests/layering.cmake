# Fails when the window-free layers reach for widgets, or when anything but the
# canvas layer paints with QPainter.
set(failures "")

file(GLOB_RECURSE windowless
  ${SOURCE_DIR}/model/*.h ${SOURCE_DIR}/model/*.cpp
  ${SOURCE_DIR}/platform/*.h ${SOURCE_DIR}/platform/*.cpp)
list(FILTER windowless EXCLUDE REGEX "/platform/ui/")
foreach(f IN LISTS windowless)
  file(STRINGS ${f} hits REGEX "#include *[<\"](QtWidgets/|QtPrintSupport/|QWidget|QApplication|QDialog|QMessageBox|QMainWindow|QPrinter)")
  if(hits)
    string(APPEND failures "${f}: ${hits}\n")
  endif()
endforeach()

file(GLOB_RECURSE everything
  ${SOURCE_DIR}/model/*.h ${SOURCE_DIR}/model/*.cpp
  ${SOURCE_DIR}/editor/*.h ${SOURCE_DIR}/editor/*.cpp
  ${SOURCE_DIR}/output/*.h ${SOURCE_DIR}/output/*.cpp
  ${SOURCE_DIR}/startmenu/*.h ${SOURCE_DIR}/startmenu/*.cpp
  ${SOURCE_DIR}/assignment/*.h ${SOURCE_DIR}/assignment/*.cpp
  ${SOURCE_DIR}/env/*.h ${SOURCE_DIR}/env/*.cpp
  ${SOURCE_DIR}/tools/*.h ${SOURCE_DIR}/tools/*.cpp
  ${SOURCE_DIR}/app/*.h ${SOURCE_DIR}/app/*.cpp)
foreach(f IN LISTS everything)
  file(STRINGS ${f} hits REGEX "#include *[<\"](QtGui/)?QPainter")
  if(hits)
    string(APPEND failures "${f} paints outside the canvas layer: ${hits}\n")
  endif()
endforeach()

if(failures)
  message(FATAL_ERROR "Layering broken:\n${failures}")
endif()
message(STATUS "layering: ok")
