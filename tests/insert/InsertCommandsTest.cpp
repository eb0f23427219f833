// Every insertion command run through its menu item on the real main window,
// with scripted dialogs: tests/data/scenarios/insert-commands.txt.
#include "support/Scenario.h"

#include <gtest/gtest.h>

TEST(InsertCommands, Scenarios) {
    runScenarios("scenarios/insert-commands.txt");
}
