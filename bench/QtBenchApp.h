#pragma once
// Window benchmarks need one QApplication; the benchmark main does not make
// one, so the first window benchmark does (offscreen unless a platform is set).
// It is never destroyed: at exit, widgets kept by benchmarks in statics would
// otherwise outlive it and crash the program after the results are printed.
#include <QApplication>

inline QApplication& QtBenchApp()
{
    static int Argc = 1;
    static char Name[] = "ventrix_bench";
    static char* Argv[] = {Name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* App = new QApplication(Argc, Argv);
    return *App;
}
