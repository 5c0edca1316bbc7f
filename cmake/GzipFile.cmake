# cmake -DSOURCE=in -DOUTPUT=out.gz -P GzipFile.cmake: compresses as Debian
# wants documentation compressed, -9 and without name or time stamp, so the
# same text always gives the same bytes.
execute_process(COMMAND gzip -9 -n -c "${SOURCE}" OUTPUT_FILE "${OUTPUT}" RESULT_VARIABLE failed)
if(failed)
  file(REMOVE "${OUTPUT}")
  message(FATAL_ERROR "gzip could not compress ${SOURCE}")
endif()
