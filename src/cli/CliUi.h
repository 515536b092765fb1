#pragma once

#include "platform/Ui.h"

namespace pagora {

// The command line's Ui: every message box goes to stderr as "[caption] text";
// questions are answered No (or Cancel) unless --yes was given, and dialogs that
// would ask for a file or folder are cancelled. Progress is drawn on a terminal only.
class CliUi final : public Ui {
 public:
  explicit CliUi(bool answerYes);

  Answer ShowMessage(std::string_view caption, std::string_view text, MessageIcon icon,
                     MessageButtons buttons) override;
  std::optional<std::string> InputBox(std::string_view caption, std::string_view prompt,
                                      std::string_view initial) override;
  std::optional<std::string> ChooseFolder(std::string_view title) override;
  std::vector<std::string> ChooseOpenFiles(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override;
  void ShowProgress(std::string_view caption, int position, int maximum) override;
  void HideProgress() override;

 protected:
  void SetBusyCursor(bool) override {}

 private:
  bool answerYes_;
  bool terminal_;
  bool progressShown_ = false;
};

}  // namespace pagora
