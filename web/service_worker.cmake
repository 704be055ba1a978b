# Writes sw.js for the files in SITE: each file to keep with the SHA-256
# digest of its content, and a cache name made of the version and a digest
# of them all, so that any change makes a new cache. Run as
# cmake -DSITE=... -DVERSION=... -DTEMPLATE=sw.js.in -P service_worker.cmake.
file(GLOB names RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM names sw.js)
list(SORT names)
set(digests "")
file(SHA256 ${SITE}/index.html index_digest)
# The page's own address is its index.html.
set(FILES "[\"./\", \"${index_digest}\"]")
foreach(name IN LISTS names)
  file(SHA256 ${SITE}/${name} digest)
  string(APPEND digests "${digest}")
  string(APPEND FILES ",\n  [\"${name}\", \"${digest}\"]")
endforeach()
string(SHA256 whole "${digests}")
string(SUBSTRING "${whole}" 0 12 short)
set(CACHE_NAME "tubarogas-${VERSION}-${short}")
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
