#include "platform/Ui.h"

#include <algorithm>

namespace pagora {

void Ui::BeginBusy() {
  if (busyDepth_++ == 0) SetBusyCursor(true);
}

void Ui::EndBusy() {
  if (busyDepth_ > 0 && --busyDepth_ == 0) SetBusyCursor(false);
}

void Ui::Inform(std::string_view caption, std::string_view text) {
  ShowMessage(caption, text, MessageIcon::Information, MessageButtons::Ok);
}

void Ui::Warn(std::string_view caption, std::string_view text) {
  ShowMessage(caption, text, MessageIcon::Warning, MessageButtons::Ok);
}

bool Ui::AskYesNo(std::string_view caption, std::string_view text, MessageIcon icon) {
  return ShowMessage(caption, text, icon, MessageButtons::YesNo) == Answer::Yes;
}

ProgressPanel::ProgressPanel(Ui& ui, int maximum)
    : ui_(ui), maximum_(std::max(maximum, 0)), step_(std::max(1, maximum_ / 256)) {
  ui_.ShowProgress("", 0, maximum_);
}

ProgressPanel::~ProgressPanel() {
  ui_.HideProgress();
}

bool ProgressPanel::Due(int position) const {
  return position >= maximum_ || lastShown_ < 0 || position / step_ != lastShown_ / step_;
}

void ProgressPanel::Show(std::string_view caption, int position) {
  lastShown_ = position;
  ui_.ShowProgress(caption, position, maximum_);
}

}  // namespace pagora
