#include "platform/MidiPlayer.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <csignal>
#include <vector>

#include "platform/LinuxShell.h"

extern char** environ;

namespace pagora {

bool ProcessMidiPlayer::Play(const std::string& path) {
  Stop();
  LinuxShell shell;
  std::vector<std::string> argv;
  if (std::string timidity = shell.FindProgram("timidity"); !timidity.empty()) {
    argv = {timidity, "-idqq", path};
  } else if (std::string fluid = shell.FindProgram("fluidsynth"); !fluid.empty()) {
    argv = {fluid, "-ni", "/usr/share/sounds/sf2/FluidR3_GM.sf2", path};
  } else if (std::string aplay = shell.FindProgram("aplaymidi"); !aplay.empty()) {
    argv = {aplay, path};
  } else {
    return false;
  }
  std::vector<char*> args;
  for (std::string& a : argv) args.push_back(a.data());
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  for (int fd = 0; fd <= 2; ++fd) {
    posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
  }
  pid_t pid = -1;
  const int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return false;
  pid_ = pid;
  return true;
}

void ProcessMidiPlayer::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

}  // namespace pagora
