#include "ui/common/UiLog.h"

Q_LOGGING_CATEGORY(lcUi, "tovanta.ui")
