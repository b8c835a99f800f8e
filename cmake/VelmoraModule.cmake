# The app is two halves. The core (store, reminders, sync, tray: everything the background
# process runs) is one shared library that never links Qt Quick or Qt QML. The window's side
# (the QML modules and the window host) is a plugin the core loads when a window is first
# wanted. So a process that stays in the background maps neither.
#
# velmora_add_core_part(<target> [QML_FACING] [SOURCES ...] [LIBS ...])
# An object library of the core; velmora_finish_core() gathers every part into velmora_core.
# It knows no QML: the window's side (Velmora/Window/QmlTypes) registers the types of a
# QML_FACING part with QML_FOREIGN, in a module made with velmora_add_qml_module(... FOREIGN
# <target>). Their type descriptions are made here, where the part's sources are generated.
function(velmora_add_core_part target)
    cmake_parse_arguments(ARG "QML_FACING" "" "SOURCES;LIBS" ${ARGN})
    add_library(${target} OBJECT ${ARG_SOURCES})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${ARG_LIBS})
    target_precompile_headers(${target} REUSE_FROM velmora_core_pch)
    set_target_properties(${target} PROPERTIES VISIBILITY_INLINES_HIDDEN ON)
    target_compile_options(${target} PRIVATE ${VELMORA_CORE_OPTIMIZATION})
    if(ARG_QML_FACING)
        qt6_extract_metatypes(${target})
    endif()
    set_property(GLOBAL APPEND PROPERTY VELMORA_CORE_PARTS ${target})
endfunction()

function(velmora_finish_core)
    get_property(parts GLOBAL PROPERTY VELMORA_CORE_PARTS)
    add_library(velmora_core SHARED)
    target_link_libraries(velmora_core PUBLIC ${parts})
    set_target_properties(velmora_core PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
    # The core's calls to its own functions are bound when it is linked, not looked up by name
    # among every library of the process at each start.
    target_link_options(velmora_core PRIVATE -Wl,-Bsymbolic-functions)
endfunction()

# velmora_add_qml_module(<target> URI <uri> [FOREIGN <core part>] [SOURCES ...] [QML_FILES ...]
#                        [RESOURCES ...] [LIBS ...] [DEPENDENCIES ...])
# A static library of the window's side that is also a QML module. FOREIGN names the core part
# whose types the module's QML_FOREIGN declarations register under its URI. DEPENDENCIES names every QML module
# whose types its C++ types derive from or hand out (QtQuick for items and colours, our own
# modules for their objects), so qmllint and the QML compiler resolve every type of this one.
# The window plugin and the QML tests link every such module's plugin through the interface
# target velmora_qml_plugins and include VelmoraQmlPlugins.h once.
# The modules' shared precompiled headers; each module's generated QML code is most of the build.
add_library(velmora_module_pch OBJECT ${CMAKE_CURRENT_LIST_DIR}/pch/ModulePch.cpp)
target_link_libraries(velmora_module_pch PRIVATE Qt6::Core Qt6::Gui Qt6::Qml)
target_precompile_headers(velmora_module_pch PRIVATE ${CMAKE_CURRENT_LIST_DIR}/pch/ModulePch.h)
add_library(velmora_core_pch OBJECT ${CMAKE_CURRENT_LIST_DIR}/pch/ModulePch.cpp)
target_link_libraries(velmora_core_pch PRIVATE Qt6::Core Qt6::Gui)
target_precompile_headers(velmora_core_pch PRIVATE ${CMAKE_CURRENT_LIST_DIR}/pch/CorePch.h)
set_target_properties(velmora_core_pch PROPERTIES VISIBILITY_INLINES_HIDDEN ON)
# The core is what a process waiting at login for the day's reminders maps: built for size.
set(VELMORA_CORE_OPTIMIZATION $<$<CONFIG:Release>:-Os>)
target_compile_options(velmora_core_pch PRIVATE ${VELMORA_CORE_OPTIMIZATION})

# The window's side is loaded as one plugin: its symbols stay inside it, so loading binds them
# there at once instead of looking each one up among every library of the process.
function(velmora_window_side target)
    set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
endfunction()
velmora_window_side(velmora_module_pch)

function(velmora_add_qml_module target)
    cmake_parse_arguments(ARG "" "URI;FOREIGN" "SOURCES;QML_FILES;RESOURCES;LIBS;DEPENDENCIES" ${ARGN})
    qt_add_library(${target} STATIC)
    qt_add_qml_module(${target}
        URI ${ARG_URI}
        VERSION 1.0
        RESOURCE_PREFIX /qt/qml
        SOURCES ${ARG_SOURCES}
        QML_FILES ${ARG_QML_FILES}
        RESOURCES ${ARG_RESOURCES}
        DEPENDENCIES ${ARG_DEPENDENCIES}
    )
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${ARG_LIBS})
    if(ARG_FOREIGN)
        target_link_libraries(${target} PUBLIC velmora_core Qt6::Qml)
    endif()
    target_precompile_headers(${target} REUSE_FROM velmora_module_pch)
    velmora_window_side(${target})
    velmora_window_side(${target}plugin)
    string(REPLACE "." "_" plugin_class "${ARG_URI}")
    set_property(GLOBAL APPEND PROPERTY VELMORA_QML_PLUGIN_TARGETS ${target}plugin)
    set_property(GLOBAL APPEND PROPERTY VELMORA_QML_PLUGIN_CLASSES ${plugin_class}Plugin)
endfunction()

# Called once every module exists: one target and one header that pull in all of them.
function(velmora_finish_qml_plugins)
    get_property(targets GLOBAL PROPERTY VELMORA_QML_PLUGIN_TARGETS)
    get_property(classes GLOBAL PROPERTY VELMORA_QML_PLUGIN_CLASSES)
    set(lines "#pragma once\n// Generated: imports every static QML module of the app. Include in exactly one file per program.\n#include <QtQml/qqmlextensionplugin.h>\n")
    foreach(c IN LISTS classes)
        string(APPEND lines "Q_IMPORT_QML_PLUGIN(${c})\n")
    endforeach()
    file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/VelmoraQmlPlugins.h CONTENT "${lines}")
    add_library(velmora_qml_plugins INTERFACE)
    target_link_libraries(velmora_qml_plugins INTERFACE ${targets})
    target_include_directories(velmora_qml_plugins INTERFACE ${CMAKE_BINARY_DIR}/generated)
endfunction()

# Debian's Qt 6.4 ships Qt5Compat.GraphicalEffects.private without the type file its qmldir
# names, and qmllint fails every file that imports the public module on that alone. The module
# registers no C++ types, so a copy of it with an empty type file, searched first, is faithful.
function(velmora_lint_with_graphical_effects target)
    set(system "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_QML}/Qt5Compat/GraphicalEffects/private")
    if(NOT EXISTS "${system}/qmldir" OR EXISTS "${system}/plugins.qmltypes")
        return()
    endif()
    set(fixups "${CMAKE_BINARY_DIR}/qmllint-imports")
    file(GLOB files "${system}/qmldir" "${system}/*.qml")
    file(COPY ${files} DESTINATION "${fixups}/Qt5Compat/GraphicalEffects/private")
    file(WRITE "${fixups}/Qt5Compat/GraphicalEffects/private/plugins.qmltypes" "import QtQuick.tooling 1.2\n\nModule {}\n")
    set_property(TARGET ${target} APPEND PROPERTY QT_QML_IMPORT_PATH "${fixups}")
endfunction()
