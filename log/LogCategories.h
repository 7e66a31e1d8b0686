// The program's logging categories: QT_LOGGING_RULES switches them, for
// example "norvo.http=false" or "norvo.*.info=false".
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcHttp)    // norvo.http: every exchange with the router
Q_DECLARE_LOGGING_CATEGORY(lcDriver)  // norvo.driver: what the driver found and decided
Q_DECLARE_LOGGING_CATEGORY(lcWizard)  // norvo.wizard: status texts, outcomes, errors shown
Q_DECLARE_LOGGING_CATEGORY(lcCli)     // norvo.cli: the same for a command-line run
