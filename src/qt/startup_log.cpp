#include "startup_log.h"

Q_LOGGING_CATEGORY(lcStartup, "gloamfell.startup", QtWarningMsg)
