# The layers below the user interface link Qt Core, Network, Xml and Sql only, and none of
# their files includes a Qt Widgets or Qt Gui header.
#
# tovanta_add_layer_check(LAYERS <folders under src...>)
#   Records what the libraries of those folders link, directly or through others, and which
#   headers Qt Widgets and Qt Gui install; adds the target "check-layers" and the unit test
#   "check_layers", which both run tools/layercheck/check_layers.py on the records. Call it
#   after every target is defined.
#
# tovanta_write_layer_records(LAYER_DIRS <dirs...> HEADER_DIRS <dirs...> RECORDS <dir>)
#   Writes the records the checker reads into <dir>: libraries.txt (the libraries checked),
#   link-findings.txt (one forbidden link a line), headers.txt ("<include name> <module>" a
#   line) and layer-dirs.txt (the folders whose files the checker reads).

get_filename_component(TOVANTA_LAYER_CHECK_DIR ${CMAKE_CURRENT_LIST_DIR}/../tools/layercheck ABSOLUTE)

# What a library below the user interface must not link: a target name, or a library file or
# linker flag naming the Qt Widgets or Qt Gui library.
set(_TOVANTA_FORBIDDEN_TARGET "^(Qt5?::(Widgets|Gui)(Private)?|tovanta_ui_.+|tovanta_client)$")
set(_TOVANTA_FORBIDDEN_FILE "(^|/|-l)(lib)?Qt5?(Widgets|Gui)([.].*)?$")

# `dir` and every directory added below it.
function(_tovanta_directories_below dir out)
    set(found ${dir})
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(sub IN LISTS subdirs)
        _tovanta_directories_below(${sub} below)
        list(APPEND found ${below})
    endforeach()
    set(${out} ${found} PARENT_SCOPE)
endfunction()

# True in `out` when `dir` is one of `layer_dirs` or lies below one.
function(_tovanta_in_layers dir layer_dirs out)
    foreach(layer IN LISTS layer_dirs)
        string(FIND "${dir}/" "${layer}/" position)
        if(position EQUAL 0)
            set(${out} TRUE PARENT_SCOPE)
            return()
        endif()
    endforeach()
    set(${out} FALSE PARENT_SCOPE)
endfunction()

# The libraries defined in the layer folders.
function(_tovanta_layer_libraries layer_dirs out)
    _tovanta_directories_below(${CMAKE_SOURCE_DIR} dirs)
    set(libraries)
    foreach(dir IN LISTS dirs)
        _tovanta_in_layers(${dir} "${layer_dirs}" inside)
        if(NOT inside)
            continue()
        endif()
        get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
        foreach(target IN LISTS targets)
            get_target_property(type ${target} TYPE)
            if(type MATCHES "_LIBRARY$")
                list(APPEND libraries ${target})
            endif()
        endforeach()
    endforeach()
    set(${out} ${libraries} PARENT_SCOPE)
endfunction()

# Everything `target` names as linked: its own and its interface's link libraries, and the
# link interface imported targets declare per configuration.
function(_tovanta_link_items target out)
    set(properties LINK_LIBRARIES INTERFACE_LINK_LIBRARIES IMPORTED_LINK_INTERFACE_LIBRARIES)
    get_target_property(configs ${target} IMPORTED_CONFIGURATIONS)
    if(configs)
        foreach(config IN LISTS configs)
            list(APPEND properties IMPORTED_LINK_INTERFACE_LIBRARIES_${config})
        endforeach()
    endif()
    set(items)
    foreach(property IN LISTS properties)
        get_target_property(values ${target} ${property})
        if(values)
            list(APPEND items ${values})
        endif()
    endforeach()
    set(${out} ${items} PARENT_SCOPE)
endfunction()

# The library a link item names: without the directory marks of a link made from another
# directory, and out of generator expressions such as $<LINK_ONLY:...>. Empty for a mark.
function(_tovanta_link_name item out)
    string(REGEX REPLACE "::@\\(.*\\)$" "" name "${item}")
    if(name MATCHES "^::@")
        set(name "")
    elseif(name MATCHES "^\\$<")
        string(REGEX REPLACE ">+$" "" name "${name}")
        if(name MATCHES "^.*>:(.*)$")
            set(name "${CMAKE_MATCH_1}")
        elseif(name MATCHES "^\\$<[^:]*:(.*)$")
            set(name "${CMAKE_MATCH_1}")
        endif()
    endif()
    set(${out} "${name}" PARENT_SCOPE)
endfunction()

# One line for each forbidden library `library` links, with the chain that brings it in.
function(_tovanta_forbidden_links library out)
    set(findings)
    set(queue ${library})
    set(seen ${library})
    string(MAKE_C_IDENTIFIER "${library}" key)
    set(chain_${key} ${library})
    while(queue)
        list(POP_FRONT queue current)
        string(MAKE_C_IDENTIFIER "${current}" key)
        set(chain "${chain_${key}}")
        _tovanta_link_items(${current} items)
        foreach(item IN LISTS items)
            _tovanta_link_name("${item}" name)
            if(name STREQUAL "" OR name IN_LIST seen)
                continue()
            endif()
            list(APPEND seen ${name})
            if(name MATCHES "${_TOVANTA_FORBIDDEN_TARGET}" OR name MATCHES "${_TOVANTA_FORBIDDEN_FILE}")
                list(APPEND findings "${library} links ${name} (${chain} -> ${name})")
            endif()
            if(TARGET ${name})
                string(MAKE_C_IDENTIFIER "${name}" key)
                set(chain_${key} "${chain} -> ${name}")
                list(APPEND queue ${name})
            endif()
        endforeach()
    endwhile()
    set(${out} ${findings} PARENT_SCOPE)
endfunction()

# Every name a file of the header folders is included by: "QWidget" and "QtWidgets/QWidget".
function(_tovanta_header_lines header_dirs out)
    set(lines)
    foreach(dir IN LISTS header_dirs)
        get_filename_component(module ${dir} NAME)
        file(GLOB names LIST_DIRECTORIES false RELATIVE ${dir} ${dir}/*)
        foreach(name IN LISTS names)
            list(APPEND lines "${name} ${module}" "${module}/${name} ${module}")
        endforeach()
    endforeach()
    set(${out} ${lines} PARENT_SCOPE)
endfunction()

function(_tovanta_write_lines file lines)
    list(JOIN lines "\n" text)
    if(text)
        string(APPEND text "\n")
    endif()
    file(WRITE ${file} "${text}")
endfunction()

function(tovanta_write_layer_records)
    cmake_parse_arguments(R "" "RECORDS" "LAYER_DIRS;HEADER_DIRS" ${ARGN})
    _tovanta_layer_libraries("${R_LAYER_DIRS}" libraries)
    set(findings)
    foreach(library IN LISTS libraries)
        _tovanta_forbidden_links(${library} found)
        list(APPEND findings ${found})
    endforeach()
    _tovanta_header_lines("${R_HEADER_DIRS}" headers)
    _tovanta_write_lines(${R_RECORDS}/libraries.txt "${libraries}")
    _tovanta_write_lines(${R_RECORDS}/link-findings.txt "${findings}")
    _tovanta_write_lines(${R_RECORDS}/headers.txt "${headers}")
    _tovanta_write_lines(${R_RECORDS}/layer-dirs.txt "${R_LAYER_DIRS}")
endfunction()

function(tovanta_add_layer_check)
    cmake_parse_arguments(C "" "" "LAYERS" ${ARGN})
    set(layer_dirs)
    foreach(layer IN LISTS C_LAYERS)
        list(APPEND layer_dirs ${PROJECT_SOURCE_DIR}/src/${layer})
    endforeach()
    # The module folders among the include folders Qt Widgets brings (QtWidgets, QtGui).
    get_target_property(header_dirs Qt5::Widgets INTERFACE_INCLUDE_DIRECTORIES)
    list(FILTER header_dirs INCLUDE REGEX "/Qt(Widgets|Gui)$")
    set(records ${PROJECT_BINARY_DIR}/layer-check)
    tovanta_write_layer_records(LAYER_DIRS ${layer_dirs} HEADER_DIRS ${header_dirs}
        RECORDS ${records})

    set(command ${Python3_EXECUTABLE} ${TOVANTA_LAYER_CHECK_DIR}/check_layers.py
        --records ${records} --source-root ${PROJECT_SOURCE_DIR})
    add_custom_target(check-layers COMMAND ${command} VERBATIM)
    add_test(NAME check_layers COMMAND ${command})
    add_test(NAME check_layers_selftest
        COMMAND ${Python3_EXECUTABLE} ${TOVANTA_LAYER_CHECK_DIR}/test_check_layers.py)
    set_tests_properties(check_layers check_layers_selftest PROPERTIES LABELS unit)
    set_tests_properties(check_layers_selftest PROPERTIES
        ENVIRONMENT "TOVANTA_CMAKE=${CMAKE_COMMAND}")
endfunction()
