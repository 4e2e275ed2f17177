#pragma once

#include <QByteArray>
#include <QList>

// How the process sets up the web engine before the application object exists.
//
// The pages the client shows (notices, advertisements, chat lines) are simple documents, so
// they are drawn in software: no OpenGL context in the client process and no GPU work in the
// engine. That keeps a software GL stack (about 40 MB and 100 ms of start-up where no GPU
// driver is present) out of the process. Every page comes from the exchange's own site, so one
// renderer process serves them all. Values a user has already put in the environment are kept.
namespace WebEngineSetup {

// Sets the environment; call it before constructing the QApplication.
void prepareProcess();

// `flags` (a space-separated list) with every flag of `wanted` it lacks appended.
QByteArray withFlags(const QByteArray& flags, const QList<QByteArray>& wanted);

} // namespace WebEngineSetup
