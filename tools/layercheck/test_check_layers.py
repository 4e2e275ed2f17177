#!/usr/bin/env python3
"""The layer check against a small project: lower-layer libraries that link a user-interface
library or Qt Widgets directly, through another library or from another folder, and files that
include Qt Widgets or Qt Gui headers in each form. Needs CMake (TOVANTA_CMAKE names it)."""

import os
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
CMAKE_DIR = os.path.join(HERE, '..', '..', 'cmake')
CMAKE = os.environ.get('TOVANTA_CMAKE', 'cmake')

TOP = '''cmake_minimum_required(VERSION 3.20)
project(LayerFixture NONE)
include({module})
foreach(qt Core Gui Widgets)
    add_library(Qt5::${{qt}} INTERFACE IMPORTED)
endforeach()
set_target_properties(Qt5::Widgets PROPERTIES INTERFACE_LINK_LIBRARIES "Qt5::Gui;Qt5::Core")
add_subdirectory(src/core)
add_subdirectory(src/refdata)
add_subdirectory(src/service)
add_subdirectory(src/ui/common)
{extra}
tovanta_write_layer_records(
    LAYER_DIRS ${{CMAKE_SOURCE_DIR}}/src/core ${{CMAKE_SOURCE_DIR}}/src/refdata
        ${{CMAKE_SOURCE_DIR}}/src/service ${{CMAKE_SOURCE_DIR}}/src/update
    HEADER_DIRS ${{CMAKE_SOURCE_DIR}}/qt/QtWidgets ${{CMAKE_SOURCE_DIR}}/qt/QtGui
    RECORDS ${{CMAKE_BINARY_DIR}}/records)
'''

CLEAN_FILES = {
    'src/core/CMakeLists.txt': 'add_library(tovanta_core INTERFACE)\n'
                               'target_link_libraries(tovanta_core INTERFACE Qt5::Core)\n',
    'src/core/Text.h': '#pragma once\n#include <QString>\n// #include <QWidget>\n',
    'src/refdata/CMakeLists.txt': 'add_library(tovanta_refdata INTERFACE)\n',
    'src/service/CMakeLists.txt': 'add_library(tovanta_service INTERFACE)\n'
                                  'target_link_libraries(tovanta_service INTERFACE tovanta_core)\n',
    'src/service/Port.cpp': '#include "core/Text.h"\n#include <QtCore/QObject>\n',
    'src/ui/common/CMakeLists.txt': 'add_library(tovanta_ui_common INTERFACE)\n'
                                    'target_link_libraries(tovanta_ui_common INTERFACE Qt5::Widgets)\n',
    'src/ui/common/Window.cpp': '#include <QWidget>\n',
    'qt/QtWidgets/QWidget': '', 'qt/QtWidgets/qwidget.h': '', 'qt/QtWidgets/QtWidgets': '',
    'qt/QtGui/QColor': '', 'qt/QtCore/QString': '',
}

# Links made from the top folder, one of them through a generator expression; includes in
# lower-layer files.
BROKEN_LINKS = '''add_library(tovanta_im INTERFACE)
target_link_libraries(tovanta_im INTERFACE tovanta_ui_common)
set_property(TARGET tovanta_service APPEND PROPERTY INTERFACE_LINK_LIBRARIES
    "$<LINK_ONLY:tovanta_im>")
target_link_libraries(tovanta_refdata INTERFACE Qt5::Gui)
'''
BROKEN_FILES = {
    'src/service/Planted.cpp': '#include "service/Port.h"\n#include <QWidget>\n'
                               '  #  include "qwidget.h"\n#include <QtGui/QColor>\n',
    'src/service/deeper/Model.h': '#include <QtWidgets>\n',
}


def write(root, files):
    for name, text in files.items():
        path = os.path.join(root, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, 'w', encoding='utf-8') as out:
            out.write(text)


def run_check(files, extra=''):
    """Configures the project made of `files` and runs the checker on it: (exit code, lines)."""
    with tempfile.TemporaryDirectory() as root:
        source = os.path.join(root, 'project')
        module = os.path.abspath(os.path.join(CMAKE_DIR, 'TovantaLayers.cmake'))
        write(source, dict(files, **{'CMakeLists.txt': TOP.format(module=module, extra=extra)}))
        build = os.path.join(root, 'build')
        subprocess.run([CMAKE, '-S', source, '-B', build], check=True, capture_output=True)
        checker = subprocess.run(
            [sys.executable, os.path.join(HERE, 'check_layers.py'),
             '--records', os.path.join(build, 'records'), '--source-root', source],
            capture_output=True, text=True)
        return checker.returncode, checker.stdout.splitlines()


class CheckLayersTest(unittest.TestCase):
    def test_clean_layers_pass(self):
        code, lines = run_check(CLEAN_FILES)
        self.assertEqual(code, 0, lines)

    def test_every_forbidden_link_and_include_is_named(self):
        code, lines = run_check(dict(CLEAN_FILES, **BROKEN_FILES), extra=BROKEN_LINKS)
        self.assertEqual(code, 1)
        expected = [
            'layer check: tovanta_refdata links Qt5::Gui (tovanta_refdata -> Qt5::Gui)',
            'layer check: tovanta_service links tovanta_ui_common '
            '(tovanta_service -> tovanta_im -> tovanta_ui_common)',
            'layer check: tovanta_service links Qt5::Widgets '
            '(tovanta_service -> tovanta_im -> tovanta_ui_common -> Qt5::Widgets)',
            'layer check: tovanta_service links Qt5::Gui (tovanta_service -> tovanta_im -> '
            'tovanta_ui_common -> Qt5::Widgets -> Qt5::Gui)',
            'layer check: src/service/Planted.cpp:2: includes <QWidget>, a QtWidgets header',
            'layer check: src/service/Planted.cpp:3: includes <qwidget.h>, a QtWidgets header',
            'layer check: src/service/Planted.cpp:4: includes <QtGui/QColor>, a QtGui header',
            'layer check: src/service/deeper/Model.h:1: includes <QtWidgets>, a QtWidgets header',
        ]
        for line in expected:
            self.assertIn(line, lines)
        self.assertEqual(len(lines), len(expected) + 1, lines)  # and the count

    def test_missing_qt_headers_stop_the_check(self):
        files = {name: text for name, text in CLEAN_FILES.items() if not name.startswith('qt/')}
        code, lines = run_check(files)
        self.assertEqual(code, 1)
        self.assertIn('no Qt Widgets or Qt Gui header is known', lines[0])


if __name__ == '__main__':
    unittest.main()
