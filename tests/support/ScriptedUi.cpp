#include "support/ScriptedUi.h"

#include <stdexcept>

namespace pagora::test {
namespace {

template <class T>
T Next(std::deque<T>& queue, std::string_view what) {
  if (queue.empty())
    throw std::logic_error("ScriptedUi: no answer queued for " + std::string(what));
  T value = std::move(queue.front());
  queue.pop_front();
  return value;
}

}  // namespace

Answer ScriptedUi::ShowMessage(std::string_view caption, std::string_view text, MessageIcon icon,
                               MessageButtons buttons) {
  const std::string entry = "[" + std::string(caption) + "] " + std::string(text);
  messages.push_back(entry);
  icons.push_back(icon);
  if (buttons == MessageButtons::Ok) return Answer::Ok;
  return Next(answers, entry);
}

std::optional<std::string> ScriptedUi::InputBox(std::string_view caption, std::string_view prompt,
                                                std::string_view) {
  messages.push_back("[" + std::string(caption) + "] " + std::string(prompt));
  return Next(inputs, prompt);
}

std::optional<std::string> ScriptedUi::ChooseFolder(std::string_view title) {
  return Next(folders, title);
}

std::vector<std::string> ScriptedUi::ChooseOpenFiles(const FileDialogRequest& request) {
  return Next(openFiles, request.title);
}

std::optional<std::string> ScriptedUi::ChooseSaveFile(const FileDialogRequest& request) {
  return Next(saveFiles, request.title);
}

void ScriptedUi::ShowProgress(std::string_view caption, int position, int maximum) {
  progressVisible = true;
  if (!caption.empty()) progressCaptions.emplace_back(caption);
  lastProgressPosition = position;
  lastProgressMaximum = maximum;
}

void ScriptedUi::HideProgress() {
  progressVisible = false;
}

}  // namespace pagora::test
