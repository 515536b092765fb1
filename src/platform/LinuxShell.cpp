#include "platform/LinuxShell.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/Ui.h"

extern char** environ;

namespace fs = std::filesystem;

namespace pagora {
namespace {

// Starts `argv` detached from our standard input; returns the child or -1.
pid_t Spawn(const std::vector<std::string>& argv, const std::string& workingFolder, bool quiet) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  if (quiet) {
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  }
  // The working folder is changed in the child only; glibc 2.29 and later have this.
  if (!workingFolder.empty()) posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
  pid_t pid = -1;
  const int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return rc == 0 ? pid : -1;
}

bool SameContent(const fs::path& a, const fs::path& b) {
  std::error_code error;
  if (fs::file_size(a, error) != fs::file_size(b, error) || error) return false;
  std::ifstream first(a, std::ios::binary), second(b, std::ios::binary);
  char x[65536], y[65536];
  while (first && second) {
    first.read(x, sizeof x);
    second.read(y, sizeof y);
    if (first.gcount() != second.gcount() || std::memcmp(x, y, size_t(first.gcount())) != 0) {
      return false;
    }
  }
  return true;
}

int Wait(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::string LinuxShell::FindProgram(const std::string& name) {
  if (name.find('/') != std::string::npos) return access(name.c_str(), X_OK) == 0 ? name : "";
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  while (start <= folders.size()) {
    const size_t end = std::min(folders.find(':', start), folders.size());
    const std::string candidate = folders.substr(start, end - start) + "/" + name;
    struct stat st {};
    if (end > start && stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
    start = end + 1;
  }
  return {};
}

bool LinuxShell::OpenPath(const std::string& path) {
  const std::string opener = FindProgram("xdg-open");
  if (opener.empty()) return false;
  // xdg-open returns once the program is started; reap it so no zombie stays.
  const pid_t pid = Spawn({opener, path}, "", true);
  return pid > 0 && Wait(pid) == 0;
}

int LinuxShell::RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                           const std::string& workingFolder) {
  std::vector<std::string> argv{program};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  const pid_t pid = Spawn(argv, workingFolder, false);
  return pid > 0 ? Wait(pid) : -1;
}

bool LinuxShell::StartProgram(const std::string& program,
                              const std::vector<std::string>& arguments) {
  std::vector<std::string> argv{program};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  const pid_t pid = Spawn(argv, "", false);
  if (pid <= 0) return false;
  std::thread([pid] { Wait(pid); }).detach();  // reaped when it ends, whenever that is
  return true;
}

bool LinuxShell::CopyFiles(const std::vector<std::string>& files, const std::string& folder,
                           Ui& ui) {
  return CopyFilesAsking(files, folder, ui);
}

bool CopyFilesAsking(const std::vector<std::string>& files, const std::string& folder, Ui& ui) {
  std::error_code error;
  fs::create_directories(folder, error);
  // The copy reports in the panel of the operation it belongs to and leaves it shown.
  for (size_t i = 0; i < files.size(); ++i) {
    const fs::path source(files[i]);
    const fs::path target = fs::path(folder) / source.filename();
    ui.ShowProgress("正在复制：" + source.filename().string(), int(i) + 1, int(files.size()));
    if (fs::equivalent(source, target, error)) continue;  // already in place
    // A file with the same bytes is no replacement: nothing to ask, nothing to copy.
    if (fs::exists(target) && SameContent(source, target)) continue;
    if (fs::exists(target)) {
      const Answer answer = ui.ShowMessage(
          "确认文件替换",
          "此文件夹已经包含一个名为“" + target.filename().string() + "”的文件。\n要替换它吗？",
          MessageIcon::Question, MessageButtons::YesNoCancel);
      if (answer == Answer::Cancel) return false;
      if (answer != Answer::Yes) continue;
    }
    if (!fs::copy_file(source, target, fs::copy_options::overwrite_existing, error)) {
      ui.ShowMessage("复制文件出错", "无法复制“" + source.string() + "”：" + error.message(),
                     MessageIcon::Error, MessageButtons::Ok);
    }
  }
  return true;
}

}  // namespace pagora
