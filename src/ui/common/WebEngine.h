#pragma once

#include "ui/common/WebSurface.h"

// Opens the web engine library on first use and makes views with it.
namespace WebEngine {

// A new view inside parent, or nullptr when the library cannot be opened (reported once in
// the log; the windows then show no pages and go on working).
WebSurface* createSurface(QWidget* parent, const WebSurface::Options& options);

// Whether the library has been opened in this process.
bool isLoaded();

} // namespace WebEngine
