#pragma once

// Makes sure that Qt's GUI layer can be used: creates a QGuiApplication on
// the "offscreen" platform when the program has no application yet. Throws
// std::runtime_error when the program has a QCoreApplication only, which
// cannot paint text.
void EnsureGuiApplication();
