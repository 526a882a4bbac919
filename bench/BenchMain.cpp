// Benchmarks run with an application object on the offscreen platform.
#include <QApplication>
#include <benchmark/benchmark.h>

#include "Common/Fonts.h"
#include "Common/RuntimeDir.h"

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  plomix::EnsureRuntimeDir();
  QApplication app(argc, argv);
  plomix::InstallFontSubstitutions();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
