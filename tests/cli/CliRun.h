#pragma once
// plomix-cli run as a separate process, the way a script runs it.
#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryFile>
#include <fcntl.h>
#include <functional>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace plomix::test {

struct CliRun {
  int status;  // -1 when the process did not end normally (a signal)
  QByteArray out, err;
};

struct CliSetup {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  std::function<void()> inChild;  // runs in the child before plomix-cli starts
  QByteArray input;               // standard input
  QString program;                // another plomix-cli (a copy of the front alone); empty: PLOMIX_CLI
};

inline CliRun RunCli(const QStringList &args, const CliSetup &setup = {}) {
  QProcess process;
  process.setProcessEnvironment(setup.env);
  if (setup.inChild) process.setChildProcessModifier(setup.inChild);
  process.start(setup.program.isEmpty() ? QStringLiteral(PLOMIX_CLI) : setup.program, args);
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

struct MeasuredRun : CliRun {
  long long peakBytes = 0;  // the most resident memory the process held
};

// plomix-cli with its peak memory, measured for that process alone (wait4), for inputs
// whose size must not decide the memory a run takes.
inline MeasuredRun RunCliMeasured(const QStringList &args) {
  MeasuredRun run;
  run.status = -1;
  QTemporaryFile out, err;
  if (!out.open() || !err.open()) return run;
  std::vector<QByteArray> bytes{QByteArrayLiteral(PLOMIX_CLI)};
  for (const QString &arg : args) bytes.push_back(arg.toUtf8());
  std::vector<char *> argv;
  for (QByteArray &arg : bytes) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out.handle(), 1);
  posix_spawn_file_actions_adddup2(&actions, err.handle(), 2);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return run;
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  lseek(out.handle(), 0, SEEK_SET);  // the process moved the shared file offsets to the ends
  lseek(err.handle(), 0, SEEK_SET);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = out.readAll();
  run.err = err.readAll();
  run.peakBytes = static_cast<long long>(usage.ru_maxrss) * 1024;
  return run;
}

}  // namespace plomix::test
