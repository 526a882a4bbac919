#include "tests/Gdi/GdiRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace plomix::test {

QString GdiModeName(GdiMode mode) {
  switch (mode) {
    case GdiMode::Emf: return QStringLiteral("emf");
    case GdiMode::Wmf: return QStringLiteral("wmf");
    case GdiMode::WmfAsEmf: return QStringLiteral("wmfemf");
  }
  return {};
}

QString RunGdiPlayer(const QString &folder, const std::vector<GdiPlay> &plays) {
  const QString wine = QStringLiteral(PLOMIX_WINE), player = QStringLiteral(PLOMIX_GDI_PLAYER);
  if (wine.isEmpty() || player.isEmpty() || !QFileInfo::exists(player))
    return QStringLiteral("Wine (wine64) or the mingw-w64 compiler (g++-mingw-w64-x86-64) was "
                          "missing when the build was configured: run scripts/install-deps");
  QFile list(QDir(folder).filePath(QStringLiteral("plays.txt")));
  if (!list.open(QIODevice::WriteOnly)) return QStringLiteral("cannot write the list");
  for (const GdiPlay &p : plays)
    list.write((GdiModeName(p.mode) + ' ' + p.input + ' ' + p.output + '\n').toUtf8());
  list.close();

  QProcess wineProcess;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("WINEPREFIX"), QStringLiteral(PLOMIX_WINE_PREFIX));
  env.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
  // No prompts to install Mono or Gecko while the prefix is created; no display needed.
  env.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml="));
  env.remove(QStringLiteral("DISPLAY"));
  // A Japanese Windows: Shift-JIS is the ANSI code page that WMF font names and text use.
  env.insert(QStringLiteral("LC_ALL"), QStringLiteral("ja_JP.UTF-8"));
  wineProcess.setProcessEnvironment(env);
  wineProcess.setWorkingDirectory(folder);
  wineProcess.start(wine, {player, QStringLiteral("plays.txt")});
  // Creating the prefix on the first run takes a while on a busy machine.
  if (!wineProcess.waitForFinished(10 * 60 * 1000)) {
    wineProcess.kill();
    wineProcess.waitForFinished();
    return QStringLiteral("Wine did not finish: ") + wineProcess.errorString();
  }
  const QString output = QString::fromLocal8Bit(wineProcess.readAllStandardOutput());
  if (wineProcess.exitStatus() != QProcess::NormalExit || wineProcess.exitCode() != 0)
    return QStringLiteral("GdiPlayer exit code %1: %2%3")
        .arg(wineProcess.exitCode())
        .arg(output, QString::fromLocal8Bit(wineProcess.readAllStandardError()).right(2000));
  return {};
}

}  // namespace plomix::test
