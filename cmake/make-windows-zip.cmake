# make-windows-zip.cmake -- stages the Windows programs and their files in one folder and packs it;
# run by the windows-zip target with SOURCE, BUILD, VERSION, ZIP and PROGRAMS set; the folder in
# the zip has the zip's name
cmake_minimum_required(VERSION 3.25)
get_filename_component(name ${ZIP} NAME_WLE)
set(stage ${BUILD}/zip-stage)
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${stage}/${name})
file(COPY ${PROGRAMS} ${SOURCE}/palety DESTINATION ${stage}/${name})
file(COPY ${SOURCE}/data/font.bmp DESTINATION ${stage}/${name}/data)

# Text files with Windows line ends, so that every editor there shows their lines.
function(copy_text from to)
  file(READ ${from} text)
  string(APPEND text "${ARGN}")
  string(REPLACE "@VERSION@" "${VERSION}" text "${text}")
  string(REPLACE "@FOLDER@" "${name}" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${stage}/${name}/${to} "${text}")
endfunction()
if(EXISTS ${SOURCE}/LICENSE)
  copy_text(${SOURCE}/docs/windows-readme.txt README.txt "\nLicence: LICENSE.txt.\n")
  copy_text(${SOURCE}/LICENSE LICENSE.txt)
else()
  copy_text(${SOURCE}/docs/windows-readme.txt README.txt)
endif()

file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip ${name}
                WORKING_DIRECTORY ${stage} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cannot pack ${ZIP}")
endif()
