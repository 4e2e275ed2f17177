#include "service/ServiceLog.h"

Q_LOGGING_CATEGORY(lcService, "tovanta.service")
