# velmora_add_qml_module(<target> URI <uri> [SOURCES ...] [QML_FILES ...] [RESOURCES ...] [LIBS ...]
#                        [DEPENDENCIES ...])
# A static library that is also a QML module. DEPENDENCIES names every QML module whose types its
# C++ types derive from or hand out (QtQuick for items and colours, our own modules for their
# objects), so qmllint and the QML compiler resolve every type of this one. The app and the QML
# tests link every such module's plugin through the interface target velmora_qml_plugins and
# include VelmoraQmlPlugins.h once.
# The modules' shared precompiled header; each module's generated QML code is most of the build.
add_library(velmora_module_pch OBJECT ${CMAKE_CURRENT_LIST_DIR}/pch/ModulePch.cpp)
target_link_libraries(velmora_module_pch PRIVATE Qt6::Core Qt6::Gui Qt6::Qml)
target_precompile_headers(velmora_module_pch PRIVATE ${CMAKE_CURRENT_LIST_DIR}/pch/ModulePch.h)

function(velmora_add_qml_module target)
    cmake_parse_arguments(ARG "" "URI" "SOURCES;QML_FILES;RESOURCES;LIBS;DEPENDENCIES" ${ARGN})
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
    target_precompile_headers(${target} REUSE_FROM velmora_module_pch)
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
