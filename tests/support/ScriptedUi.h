#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/Ui.h"

namespace pagora::test {

// A Ui for tests: questions take their answers from queues, every message shown is
// logged as "[caption] text". A question with no queued answer is a test failure.
class ScriptedUi final : public Ui {
 public:
  std::deque<Answer> answers;
  std::deque<std::optional<std::string>> inputs;
  std::deque<std::optional<std::string>> folders;
  std::deque<std::vector<std::string>> openFiles;
  std::deque<std::optional<std::string>> saveFiles;

  std::vector<std::string> messages;          // "[caption] text"
  std::vector<std::string> progressCaptions;  // non-empty captions, in order
  int lastProgressPosition = -1;
  int lastProgressMaximum = -1;
  bool progressVisible = false;
  bool busy = false;

  Answer ShowMessage(std::string_view caption, std::string_view text, MessageIcon icon,
                     MessageButtons buttons) override;
  std::optional<std::string> InputBox(std::string_view caption, std::string_view prompt,
                                      std::string_view initial) override;
  std::optional<std::string> ChooseFolder(std::string_view title) override;
  std::vector<std::string> ChooseOpenFiles(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override;
  void ShowProgress(std::string_view caption, int position, int maximum) override;
  void HideProgress() override;

  std::vector<MessageIcon> icons;

 protected:
  void SetBusyCursor(bool on) override { busy = on; }
};

}  // namespace pagora::test
