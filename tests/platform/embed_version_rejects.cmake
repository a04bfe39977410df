# Calls mendra_embed_version() with -DVERSION=...; a bad version must stop the configure run with
# the function's own message, before any target is touched.
include(${MENDRA_CMAKE})
mendra_embed_version(no_such_target VERSION "${VERSION}")
message(FATAL_ERROR "accepted '${VERSION}'")
