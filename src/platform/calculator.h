// The calculator of the Service menu: the first of the desktop calculators
// found on PATH, started on its own (it outlives the program).
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace tavel {

// The calculators looked for, in order of preference.
QStringList calculatorNames();

// The full path of the first calculator of `names` found in the folders of
// `searchPath` (a PATH-style list, folders separated by ':'); empty when none.
// With an empty `searchPath` the process's PATH is used.
QString findCalculator(const QStringList& names = calculatorNames(), const QString& searchPath = {});

// Starts the first calculator found. False when none is installed or it could
// not be started.
bool startCalculator();

// Replaces the starting of a program for every later startCalculator (tests):
// the function gets the program's path and returns whether it started.
using StartProgramHook = std::function<bool(const QString&)>;
void setStartProgramHook(StartProgramHook hook);

} // namespace tavel
