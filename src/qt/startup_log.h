#pragma once
// Start-up reports (folders chosen, start menu reached), off unless
// QT_LOGGING_RULES turns on "gloamfell.startup.info": scripts that install
// the game watch for them.
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcStartup)
