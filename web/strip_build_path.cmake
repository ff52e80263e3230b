# Emscripten names the data package by its absolute path in the build tree
# (only as a name: the page hands the package over itself). The page must not
# carry the folder it was built in, so the name becomes the file's own.
#   cmake -DJS=palmut.js -DFOLDER=/abs/site -P strip_build_path.cmake
file(READ ${JS} text)
string(REPLACE "${FOLDER}/" "" text "${text}")
file(WRITE ${JS} "${text}")
