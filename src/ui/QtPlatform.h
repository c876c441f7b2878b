#pragma once

#include "puzzle/Platform.h"

// Message boxes as QMessageBox, pending messages as Qt's event processing.
class TQtPlatform final : public TPlatform {
 public:
  TMessageResult ShowMessage(const std::string& caption, const std::string& text,
                             TMessageButtons buttons, TMessageIcon icon) override;
  void ProcessMessages() override;
};
