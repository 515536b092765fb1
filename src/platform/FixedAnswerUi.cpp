#include "platform/FixedAnswerUi.h"

#include <ostream>

namespace pagora {

Answer FixedAnswerUi::ShowMessage(std::string_view caption, std::string_view text, MessageIcon,
                                  MessageButtons buttons) {
  if (log_) *log_ << "[" << caption << "] " << text << "\n";
  if (buttons == MessageButtons::Ok) return Answer::Ok;
  if (buttons == MessageButtons::OkCancel) {
    return answer_ == Answer::Yes || answer_ == Answer::Ok ? Answer::Ok : Answer::Cancel;
  }
  return answer_;
}

}  // namespace pagora
