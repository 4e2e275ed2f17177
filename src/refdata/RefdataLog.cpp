#include "refdata/RefdataLog.h"

Q_LOGGING_CATEGORY(lcRefdata, "tovanta.refdata")
