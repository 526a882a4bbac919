#pragma once
// plomix-cli run as a separate process, the way a script runs it.
#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <functional>

namespace plomix::test {

struct CliRun {
  int status;  // -1 when the process did not end normally (a signal)
  QByteArray out, err;
};

struct CliSetup {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  std::function<void()> inChild;  // runs in the child before plomix-cli starts
  QByteArray input;               // standard input
};

inline CliRun RunCli(const QStringList &args, const CliSetup &setup = {}) {
  QProcess process;
  process.setProcessEnvironment(setup.env);
  if (setup.inChild) process.setChildProcessModifier(setup.inChild);
  process.start(QStringLiteral(PLOMIX_CLI), args);
  process.write(setup.input);
  process.closeWriteChannel();
  process.waitForFinished(120000);
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAllStandardOutput(), process.readAllStandardError()};
}

// A shell command line, for arguments that are raw bytes (printf) rather than text;
// "$CLI" names plomix-cli.
inline CliRun RunCliInShell(const QString &script) {
  CliSetup setup;
  setup.env.insert(QStringLiteral("CLI"), QStringLiteral(PLOMIX_CLI));
  QProcess process;
  process.setProcessEnvironment(setup.env);
  process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script});
  process.waitForFinished(30000);
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAllStandardOutput(), process.readAllStandardError()};
}

}  // namespace plomix::test
