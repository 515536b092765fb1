#include "cli/CliUi.h"

#include <unistd.h>
#include <cstdio>
#include <iostream>

namespace pagora {

CliUi::CliUi(bool answerYes) : answerYes_(answerYes), terminal_(isatty(STDERR_FILENO) == 1) {}

Answer CliUi::ShowMessage(std::string_view caption, std::string_view text, MessageIcon,
                          MessageButtons buttons) {
  HideProgress();
  std::cerr << "[" << caption << "] " << text << std::endl;
  switch (buttons) {
    case MessageButtons::Ok:
      return Answer::Ok;
    case MessageButtons::OkCancel:
      return answerYes_ ? Answer::Ok : Answer::Cancel;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
      return answerYes_ ? Answer::Yes : Answer::No;
  }
  return Answer::No;
}

std::optional<std::string> CliUi::InputBox(std::string_view caption, std::string_view prompt,
                                           std::string_view initial) {
  HideProgress();
  std::cerr << "[" << caption << "] " << prompt << std::endl;
  if (!answerYes_) return std::nullopt;
  return std::string(initial);
}

std::optional<std::string> CliUi::ChooseFolder(std::string_view title) {
  HideProgress();
  std::cerr << "[" << title << "] (no folder chosen on the command line)" << std::endl;
  return std::nullopt;
}

std::vector<std::string> CliUi::ChooseOpenFiles(const FileDialogRequest& request) {
  HideProgress();
  std::cerr << "[" << request.title << "] (no file chosen on the command line)" << std::endl;
  return {};
}

std::optional<std::string> CliUi::ChooseSaveFile(const FileDialogRequest& request) {
  HideProgress();
  std::cerr << "[" << request.title << "] (no file chosen on the command line)" << std::endl;
  return std::nullopt;
}

void CliUi::ShowProgress(std::string_view caption, int position, int maximum) {
  if (!terminal_ || caption.empty()) return;
  std::cerr << "\r\x1b[K" << caption << "  " << position << "/" << maximum << std::flush;
  progressShown_ = true;
}

void CliUi::HideProgress() {
  if (!progressShown_) return;
  std::cerr << "\r\x1b[K" << std::flush;
  progressShown_ = false;
}

}  // namespace pagora
