#include "log/LogCategories.h"

// Info and above by default, so that a run's steps show on standard error.
Q_LOGGING_CATEGORY(lcHttp, "norvo.http", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDriver, "norvo.driver", QtInfoMsg)
Q_LOGGING_CATEGORY(lcWizard, "norvo.wizard", QtInfoMsg)
Q_LOGGING_CATEGORY(lcCli, "norvo.cli", QtInfoMsg)
