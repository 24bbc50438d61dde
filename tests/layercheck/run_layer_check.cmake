# Configures project/ once breaking the layer rule and once keeping it.
set(project_dir ${CMAKE_CURRENT_LIST_DIR}/project)
file(REMOVE_RECURSE ${WORK_DIR})

execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${project_dir} -B ${WORK_DIR}/broken
        -DKELMORA_SOURCE_DIR=${KELMORA_SOURCE_DIR} -DBREAK_RULE=ON
    RESULT_VARIABLE broken_result OUTPUT_VARIABLE broken_out ERROR_VARIABLE broken_err)
if(broken_result EQUAL 0)
    message(FATAL_ERROR "a GUI-free library linking widgets was accepted:\n${broken_out}")
endif()
string(REGEX REPLACE "[ \t\r\n]+" " " broken_err "${broken_err}")
if(NOT broken_err MATCHES "Layer rule broken"
   OR NOT broken_err MATCHES "lc_records -> lc_chart_helpers -> Qt5::Widgets")
    message(FATAL_ERROR "the refusal does not name the path to the widgets:\n${broken_err}")
endif()
if(broken_err MATCHES "lc_panel_ui")
    message(FATAL_ERROR "a _ui library was reported:\n${broken_err}")
endif()

execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${project_dir} -B ${WORK_DIR}/kept
        -DKELMORA_SOURCE_DIR=${KELMORA_SOURCE_DIR} -DBREAK_RULE=OFF
    RESULT_VARIABLE kept_result OUTPUT_VARIABLE kept_out ERROR_VARIABLE kept_err)
if(NOT kept_result EQUAL 0)
    message(FATAL_ERROR "a project keeping the rule was refused:\n${kept_err}")
endif()
message(STATUS "layer check: broken rule refused, kept rule accepted")
