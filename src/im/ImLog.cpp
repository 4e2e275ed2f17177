#include "im/ImLog.h"

Q_LOGGING_CATEGORY(lcIm, "tovanta.im")
