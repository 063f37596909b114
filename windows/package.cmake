# Makes the portable zip and the installer from a fresh install of a
# Windows build tree.
#   cmake -DBUILD=<build tree> -DOUT=<folder> -DFOLDER=<name of the program's folder>
#         -DZIP=<zip> -DSETUP=<installer> -DMAKENSIS=<makensis> -DSCRIPT=<installer.nsi>
#         -P package.cmake
set(stage ${OUT}/${FOLDER})
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${stage} --strip
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

# The installer's lists: every file installed, folder by folder, and the
# same files and folders removed again, deepest folders last but one, the
# program's folder last (by the script itself).
file(GLOB_RECURSE files RELATIVE ${stage} LIST_DIRECTORIES false ${stage}/*)
list(SORT files)
set(install_list "")
set(remove_list "")
set(folders "")
set(current "-")
foreach(file IN LISTS files)
    get_filename_component(folder "${file}" DIRECTORY)
    if(NOT folder STREQUAL current)
        set(current "${folder}")
        string(REPLACE "/" "\\" windows_folder "${folder}")
        if(folder STREQUAL "")
            string(APPEND install_list "SetOutPath \"$INSTDIR\"\n")
        else()
            string(APPEND install_list "SetOutPath \"$INSTDIR\\${windows_folder}\"\n")
            list(APPEND folders "${windows_folder}")
        endif()
    endif()
    string(REPLACE "/" "\\" windows_file "${file}")
    string(APPEND install_list "File \"${stage}/${file}\"\n")
    string(APPEND remove_list "Delete \"$INSTDIR\\${windows_file}\"\n")
endforeach()
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
    string(APPEND remove_list "RMDir \"$INSTDIR\\${folder}\"\n")
endforeach()
file(WRITE ${OUT}/installed_files.nsh "${install_list}")
file(WRITE ${OUT}/removed_files.nsh "${remove_list}")

execute_process(COMMAND ${MAKENSIS} -V2 -NOCD
                        -DFILES=${OUT}/installed_files.nsh
                        -DREMOVED=${OUT}/removed_files.nsh
                        -DOUTFILE=${SETUP}
                        ${SCRIPT}
                COMMAND_ERROR_IS_FATAL ANY)

execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip ${FOLDER}
                WORKING_DIRECTORY ${OUT}
                COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Windows packages: ${ZIP}, ${SETUP}")
