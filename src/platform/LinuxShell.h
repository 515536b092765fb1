#pragma once

#include "platform/Shell.h"

namespace pagora {

// The Shell of a Linux desktop: xdg-open, posix_spawn, a copy with questions.
class LinuxShell final : public Shell {
 public:
  bool OpenPath(const std::string& path) override;
  std::string FindProgram(const std::string& name) override;
  int RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& workingFolder) override;
  bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) override;
  bool CopyFiles(const std::vector<std::string>& files, const std::string& folder, Ui& ui) override;
};

// The copy behind LinuxShell::CopyFiles, shared by every Shell that copies itself.
bool CopyFilesAsking(const std::vector<std::string>& files, const std::string& folder, Ui& ui);

}  // namespace pagora
