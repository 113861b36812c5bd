#pragma once

#include "platform/toolkit/Application.h"

#include <QStandardPaths>
#include <QTest>

// One QtTest class per executable, run by Qt's own runner, so that every
// QtTest option (-o FILE,FORMAT, -maxwarnings N, a function name) works.
// The application is the editor's own, titled as the editor; settings and
// other per-user files go to a test location, never the user's.
#define ZV_TEST_MAIN(Class)                                                                                  \
    int main(int argc, char** argv)                                                                          \
    {                                                                                                        \
        QStandardPaths::setTestModeEnabled(true);                                                           \
        TApplication app(argc, argv);                                                                        \
        app.SetTitle(QStringLiteral("Zlatovir VEDU Dozezi"));                                               \
        Class test;                                                                                          \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&test, argc, argv);                                                             \
    }
