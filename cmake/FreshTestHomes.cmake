# Makes an empty home with its XDG folders for each test named in NAMES
# (separated by commas) below ROOT, throwing away what earlier runs left.
# Run as: cmake -DROOT=<folder> -DNAMES=<a,b,...> -P FreshTestHomes.cmake
if(NOT ROOT OR NOT ROOT MATCHES "test-homes$")
  message(FATAL_ERROR "ROOT must be a test-homes folder, not '${ROOT}'")
endif()
file(REMOVE_RECURSE "${ROOT}")
string(REPLACE "," ";" names "${NAMES}")
foreach(name IN LISTS names)
  foreach(sub .config .local/share .cache .local/state)
    file(MAKE_DIRECTORY "${ROOT}/${name}/${sub}")
  endforeach()
endforeach()
list(LENGTH names count)
message(STATUS "${count} empty test homes below ${ROOT}")
