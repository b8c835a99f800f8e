# velmora_add_qml_module(<target> URI <uri> [SOURCES ...] [QML_FILES ...] [RESOURCES ...] [LIBS ...])
# A static library that is also a QML module. The app and the QML tests link every such module's
# plugin through the interface target velmora_qml_plugins and include VelmoraQmlPlugins.h once.
# The modules' shared precompiled header; each module's generated QML code is most of the build.
add_library(velmora_module_pch OBJECT ${CMAKE_CURRENT_LIST_DIR}/pch/ModulePch.cpp)
target_link_libraries(velmora_module_pch PRIVATE Qt6::Core Qt6::Gui Qt6::Qml)
target_precompile_headers(velmora_module_pch PRIVATE ${CMAKE_CURRENT_LIST_DIR}/pch/ModulePch.h)

function(velmora_add_qml_module target)
    cmake_parse_arguments(ARG "" "URI" "SOURCES;QML_FILES;RESOURCES;LIBS" ${ARGN})
    qt_add_library(${target} STATIC)
    qt_add_qml_module(${target}
        URI ${ARG_URI}
        VERSION 1.0
        RESOURCE_PREFIX /qt/qml
        SOURCES ${ARG_SOURCES}
        QML_FILES ${ARG_QML_FILES}
        RESOURCES ${ARG_RESOURCES}
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
