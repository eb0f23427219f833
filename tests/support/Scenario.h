#pragma once

#include <QString>

// Plays the window scenarios of tests/data/<name>, one row a step. Each
// "scenario|name" row starts a fresh TestWindow and an empty folder; the rows
// after it act on the window, queue the prompts the next command must show
// (every one of them, by the end of that command), and check what the window
// then holds. In every field, {site} stands for that folder, {docs} for the
// documents folder (each with a trailing "/") and {template} for the page
// every slot starts with. The steps are listed in tests/data/scenarios/README.
void runScenarios(const QString& name);
