#include "core/CoreLog.h"

Q_LOGGING_CATEGORY(lcCore, "tovanta.core")
