#pragma once

// The exit statuses every pixlers-cli command shares; scripts rely on them.
inline constexpr int kExitComplete = 0;       // solved: no cell left undecided
inline constexpr int kExitUndecided = 1;      // cells left undecided, also after a timeout
inline constexpr int kExitContradiction = 2;  // contradiction, or no solution
inline constexpr int kExitError = 3;          // usage or file error
