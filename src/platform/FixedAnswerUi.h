#pragma once

#include "platform/Ui.h"

namespace pagora {

// A Ui without a person: every question gets the same answer, dialogs are cancelled,
// progress is not shown. Messages go to `log` when one is given (for benchmarks and
// fuzzing, where nobody answers).
class FixedAnswerUi final : public Ui {
 public:
  explicit FixedAnswerUi(Answer answer, std::ostream* log = nullptr) : answer_(answer), log_(log) {}
  void SetAnswer(Answer answer) { answer_ = answer; }
  // What every input box answers (none: cancelled).
  void SetInput(std::optional<std::string> input) { input_ = std::move(input); }

  Answer ShowMessage(std::string_view caption, std::string_view text, MessageIcon icon,
                     MessageButtons buttons) override;
  std::optional<std::string> InputBox(std::string_view, std::string_view,
                                      std::string_view) override {
    return input_;
  }
  std::optional<std::string> ChooseFolder(std::string_view) override { return std::nullopt; }
  std::vector<std::string> ChooseOpenFiles(const FileDialogRequest&) override { return {}; }
  std::optional<std::string> ChooseSaveFile(const FileDialogRequest&) override {
    return std::nullopt;
  }
  void ShowProgress(std::string_view, int, int) override {}
  void HideProgress() override {}

 protected:
  void SetBusyCursor(bool) override {}

 private:
  Answer answer_;
  std::ostream* log_;
  std::optional<std::string> input_;
};

}  // namespace pagora
