#pragma once

#include <QLoggingCategory>

// This area's log category; CONTRIBUTING.md says how to turn it on.
Q_DECLARE_LOGGING_CATEGORY(lcUpdate)
