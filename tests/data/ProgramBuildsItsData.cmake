# Building the program target alone must build the data it reads: the
# commands Ninja would run for it include every data step.
#   cmake -DNINJA=<ninja> -DBUILD_DIR=<build tree> -P ProgramBuildsItsData.cmake
execute_process(COMMAND "${NINJA}" -C "${BUILD_DIR}" -t commands Ventrix
                OUTPUT_VARIABLE commands RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "ninja -t commands Ventrix failed (${result})")
endif()
foreach(step FittingDbBuilder LocationsDbBuilder "data/pictures/" "data/help/")
  string(FIND "${commands}" "${step}" at)
  if(at EQUAL -1)
    message(SEND_ERROR "Building Ventrix alone does not run the data step \"${step}\"")
  endif()
endforeach()
