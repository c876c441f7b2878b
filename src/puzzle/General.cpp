#include "puzzle/General.h"

#include "puzzle/Platform.h"

void TGeneral::MessageInfo(const std::string& text) {
  CurrentPlatform().ShowMessage(kCaption, text, TMessageButtons::Ok, TMessageIcon::None);
}

bool TGeneral::MessageAsk(const std::string& text) {
  return CurrentPlatform().ShowMessage(kCaption, text, TMessageButtons::YesNo,
                                       TMessageIcon::Question) == TMessageResult::Yes;
}
