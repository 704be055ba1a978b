# Writes sw.js for the files in SITE: the list of them to keep, and a cache
# name made of the version and a digest of every file's content, so that any
# change makes a new cache. Run as cmake -DSITE=... -DVERSION=...
# -DTEMPLATE=sw.js.in -P service_worker.cmake.
file(GLOB names RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM names sw.js)
list(SORT names)
set(digests "")
set(FILES "\"./\"")
foreach(name IN LISTS names)
  file(SHA256 ${SITE}/${name} digest)
  string(APPEND digests "${digest}")
  string(APPEND FILES ", \"${name}\"")
endforeach()
string(SHA256 whole "${digests}")
string(SUBSTRING "${whole}" 0 12 short)
set(CACHE_NAME "tubarogas-${VERSION}-${short}")
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
