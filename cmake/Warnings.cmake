# project_warnings: the warning set every target of the project builds with.
add_library(project_warnings INTERFACE)
target_compile_options(project_warnings INTERFACE
    -Wall -Wextra -Wpedantic
    -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast
    -Wnon-virtual-dtor -Woverloaded-virtual -Wdouble-promotion
    $<$<BOOL:${RUROZOVIZERA_WERROR}>:-Werror>)
