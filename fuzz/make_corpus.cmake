# Seed corpus of the fuzz targets: the generated recordings, and the records
# kelmora-telemetry prints for them, and the shipped OBJ models.
# cmake -DMAKER=... -DEXPORTER=... -DOUT=... -DMODELS=... -P
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT}/recordings ${OUT}/json ${OUT}/obj)
file(GLOB models ${MODELS}/*.obj)
file(COPY ${models} DESTINATION ${OUT}/obj)
execute_process(COMMAND ${MAKER} ${OUT}/recordings RESULT_VARIABLE made)
if(NOT made EQUAL 0)
    message(FATAL_ERROR "cannot make the recordings")
endif()
file(GLOB recordings ${OUT}/recordings/*)
foreach(recording ${recordings})
    get_filename_component(name ${recording} NAME)
    execute_process(COMMAND ${EXPORTER} ${recording} OUTPUT_FILE ${OUT}/json/${name}.json)
endforeach()
