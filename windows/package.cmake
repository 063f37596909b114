# Makes the portable zip and the installer from a fresh install of a
# Windows build tree.
#   cmake -DBUILD=<build tree> -DOUT=<folder> -DFOLDER=<name of the program's folder>
#         -DZIP=<zip> -DSETUP=<installer> -DUNINSTALLER=<folder/uninstall.exe>
#         -DMAKENSIS=<makensis> -DSCRIPT=<installer.nsi>
#         -DWINE=<wine> -DWINESERVER=<wineserver> -P package.cmake
set(stage ${OUT}/${FOLDER})
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${stage} --strip
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

# The installer's lists: every file installed, folder by folder, and the
# same files and folders removed again, deepest folders last but one, the
# program's folder last (by the script itself). A file or folder that
# cannot be removed yet is marked for removal at the next restart.
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
    string(APPEND remove_list "Delete /REBOOTOK \"$INSTDIR\\${windows_file}\"\n")
endforeach()
list(SORT folders ORDER DESCENDING)
foreach(folder IN LISTS folders)
    string(APPEND remove_list "RMDir /REBOOTOK \"$INSTDIR\\${folder}\"\n")
endforeach()
file(WRITE ${OUT}/installed_files.nsh "${install_list}")
file(WRITE ${OUT}/removed_files.nsh "${remove_list}")

# The uninstaller, with a version record of its own: NSIS writes an
# uninstaller from the stub of the program that writes it, so a first build
# of the script, whose only job is to write the uninstaller, runs once under
# Wine, in a Wine folder of its own that goes again with everything Wine
# made (HOME points there too, and Wine's menu builder is off, so nothing
# lands in the user's home). It writes uninstall.exe beside itself; the
# installer then packs that file.
get_filename_component(writer ${UNINSTALLER} DIRECTORY)
file(MAKE_DIRECTORY ${writer})
execute_process(COMMAND ${MAKENSIS} -V2 -NOCD -DINNER
                        -DREMOVED=${OUT}/removed_files.nsh
                        -DOUTFILE=${writer}/write-uninstaller.exe
                        ${SCRIPT}
                COMMAND_ERROR_IS_FATAL ANY)
set(wine_environment WINEPREFIX=${writer}/wine WINEARCH=win64 WINEDEBUG=-all HOME=${writer})
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY ${wine_environment}
                        "WINEDLLOVERRIDES=mscoree=;mshtml=;winemenubuilder.exe=d"
                        ${WINE} ${writer}/write-uninstaller.exe
                RESULT_VARIABLE written
                OUTPUT_VARIABLE wine_output
                ERROR_VARIABLE wine_output)
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${wine_environment} ${WINESERVER} -k
                OUTPUT_QUIET ERROR_QUIET)
file(REMOVE_RECURSE ${writer}/wine)
if(NOT written EQUAL 0 OR NOT EXISTS ${UNINSTALLER})
    message(FATAL_ERROR "Writing the uninstaller under Wine failed (${written}):\n${wine_output}")
endif()

execute_process(COMMAND ${MAKENSIS} -V2 -NOCD
                        -DFILES=${OUT}/installed_files.nsh
                        -DUNINSTALLER=${UNINSTALLER}
                        -DOUTFILE=${SETUP}
                        ${SCRIPT}
                COMMAND_ERROR_IS_FATAL ANY)

execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip ${FOLDER}
                WORKING_DIRECTORY ${OUT}
                COMMAND_ERROR_IS_FATAL ANY)
message(STATUS "Windows packages: ${ZIP}, ${SETUP}")
