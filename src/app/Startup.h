#pragma once

#include "DaoDatabase.h"

// The program's run from start to end: main window, data module, message
// loop, tear-down. Returns the exit code.
int runLieferanten(dataset::EngineFactory engineFactory = dataset::defaultEngineFactory(),
                   QString executablePath = {});
