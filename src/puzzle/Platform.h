#pragma once

#include <string>

// SaveDiscardCancel asks what to do with unsaved work before it is replaced.
enum class TMessageButtons { Ok, YesNo, SaveDiscardCancel };
enum class TMessageIcon { None, Information, Question, Warning, Error };
enum class TMessageResult { Ok, Yes, No, Save, Discard, Cancel };

// What the core needs of the windowing system: message boxes and a way to let
// pending window messages run during long work. The program installs a Qt
// implementation, tests a scripted one, the command-line tool one that prints.
// Only the window thread calls it.
class TPlatform {
 public:
  virtual ~TPlatform() = default;

  virtual TMessageResult ShowMessage(const std::string& caption, const std::string& text,
                                     TMessageButtons buttons, TMessageIcon icon) = 0;
  virtual void ProcessMessages() = 0;
};

// The installed platform; until one is installed, a headless one that prints
// each box to standard error and answers every question with No, so that
// nothing is discarded without consent (No to the save question cancels).
TPlatform& CurrentPlatform();

// Installs a platform (not owned) and returns the previous one; nullptr
// restores the headless default.
TPlatform* InstallPlatform(TPlatform* platform);
