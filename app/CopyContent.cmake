# cmake -DSOURCE=<content> -DTARGET=<game folder> -P CopyContent.cmake
# Copies the content folders that exist; unchanged files are left alone.
file(MAKE_DIRECTORY ${TARGET})
foreach(d images sounds skin language icon)
  if(EXISTS ${SOURCE}/${d})
    file(COPY ${SOURCE}/${d} DESTINATION ${TARGET})
  endif()
endforeach()
