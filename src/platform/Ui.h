#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pagora {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct FileDialogRequest {
  std::string title;
  std::string filter;   // "caption|*.a;*.b|caption|*.c"
  int filterIndex = 1;  // 1-based
  std::string folder;
  std::string fileName;
  bool multiple = false;
};

// Everything the core asks of the person in front of it. The window, the command
// line and the tests each provide one.
class Ui {
 public:
  virtual ~Ui() = default;

  virtual Answer ShowMessage(std::string_view caption, std::string_view text, MessageIcon icon,
                             MessageButtons buttons) = 0;
  // nullopt when the user cancels.
  virtual std::optional<std::string> InputBox(std::string_view caption, std::string_view prompt,
                                              std::string_view initial) = 0;
  virtual std::optional<std::string> ChooseFolder(std::string_view title) = 0;
  // Empty when the user cancels.
  virtual std::vector<std::string> ChooseOpenFiles(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) = 0;

  // The progress panel: shown with a caption and a bar, repainted at once.
  virtual void ShowProgress(std::string_view caption, int position, int maximum) = 0;
  virtual void HideProgress() = 0;

  // The hourglass. Nested holders are counted; the cursor changes on the outermost.
  void BeginBusy();
  void EndBusy();

  // Shorthands for the common boxes.
  void Inform(std::string_view caption, std::string_view text);
  void Warn(std::string_view caption, std::string_view text);
  bool AskYesNo(std::string_view caption, std::string_view text, MessageIcon icon);

 protected:
  virtual void SetBusyCursor(bool busy) = 0;

 private:
  int busyDepth_ = 0;
};

// Holds the hourglass for a scope; the cursor comes back also when a command throws.
class BusyCursor {
 public:
  explicit BusyCursor(Ui& ui) : ui_(ui) { ui_.BeginBusy(); }
  ~BusyCursor() { ui_.EndBusy(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  Ui& ui_;
};

// The progress panel of one long operation. Showing a caption for each of 100,000
// steps would cost more than the work, so the panel is repainted only when the bar
// moves by a visible amount, and always on the last step. Hides the panel when done.
class ProgressPanel {
 public:
  ProgressPanel(Ui& ui, int maximum);
  ~ProgressPanel();
  ProgressPanel(const ProgressPanel&) = delete;
  ProgressPanel& operator=(const ProgressPanel&) = delete;

  bool Due(int position) const;
  void Show(std::string_view caption, int position);
  int Maximum() const { return maximum_; }

 private:
  Ui& ui_;
  int maximum_;
  int step_;
  int lastShown_ = -1;
};

}  // namespace pagora
