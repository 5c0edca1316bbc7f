# Copies the program's data folders (lang/, help/) from SOURCE into
# DESTINATION, those that exist, so that a program run from the build tree
# finds them beside its app/ folder.
foreach(folder lang help)
  if(EXISTS "${SOURCE}/${folder}")
    file(COPY "${SOURCE}/${folder}" DESTINATION "${DESTINATION}")
  endif()
endforeach()
