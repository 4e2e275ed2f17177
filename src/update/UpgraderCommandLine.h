#pragma once

#include <QString>
#include <QStringList>

// The upgrader program's command line: the full path of the program to update, then "+"
// followed by the restart parameters and the update method digit, all written together
// ("+/afterupgrade0" with the default parameters and method 0).
namespace UpgraderCommandLine {

inline QString defaultRestartParameters()
{
    return QStringLiteral("/afterupgrade");
}

// The arguments after the upgrader's own path. Empty restart parameters become one space.
QStringList arguments(const QString& executablePath, const QString& restartParameters, int method);

struct Parsed
{
    bool ok = false;
    QString executablePath;
    QString restartParameters;
    int method = 0;
};

// Reads the arguments after the upgrader's own path; the parameter text may have been split
// at spaces on its way and is joined again.
Parsed parse(const QStringList& arguments);

// The arguments the restarted program gets from the restart parameters.
QStringList restartArguments(const QString& restartParameters);

} // namespace UpgraderCommandLine
