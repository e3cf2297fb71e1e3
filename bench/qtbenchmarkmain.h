// main() of a benchmark program that needs a Qt application object (Application: QGuiApplication
// or QApplication), on the offscreen platform so that no display is needed.
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <benchmark/benchmark.h>

namespace discora {

template <class Application> int runQtBenchmarks(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace discora
