#pragma once

// The test program's main comes from gtest_main, so the one QApplication is
// made on first use by whichever test needs it and lives until exit.
void EnsureApplication();
