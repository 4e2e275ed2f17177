#include "ui/main/ShellLauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

namespace {
ShellLauncher::Handler& installedHandler()
{
    static ShellLauncher::Handler handler;
    return handler;
}
} // namespace

void ShellLauncher::setHandler(Handler handler)
{
    installedHandler() = std::move(handler);
}

bool ShellLauncher::openInBrowser(const QString& url)
{
    return dispatch(Target::Browser, url);
}

bool ShellLauncher::startCalculator()
{
    return dispatch(Target::Calculator, QString());
}

bool ShellLauncher::dispatch(Target target, const QString& argument)
{
    if (installedHandler())
        return installedHandler()(target, argument);
    if (target == Target::Browser)
        return QDesktopServices::openUrl(QUrl(argument));
    return launchCalculator();
}

bool ShellLauncher::launchCalculator()
{
#ifdef Q_OS_WIN
    return QProcess::startDetached(QStringLiteral("calc.exe"), {});
#else
    const QStringList candidates = {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                                    QStringLiteral("galculator"),       QStringLiteral("mate-calc"),
                                    QStringLiteral("qalculate-gtk"),    QStringLiteral("xcalc")};
    for (const QString& program : candidates) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty() && QProcess::startDetached(path, {}))
            return true;
    }
    return false;
#endif
}
