#pragma once

// What the window and the command-line tool set up for the whole process,
// first thing in main, before any thread starts.
void SetUpProcess();
