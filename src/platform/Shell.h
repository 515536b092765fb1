#pragma once

#include <string>
#include <vector>

namespace pagora {

class Ui;

// What the core asks of the desktop and the operating system besides the person:
// opening files with their default programs, starting programs, copying files.
// Programs are started with argument vectors; no text reaches a command shell.
class Shell {
 public:
  virtual ~Shell() = default;

  // Opens a file, folder or address with its default program; false when nothing
  // could be started.
  virtual bool OpenPath(const std::string& path) = 0;

  // The full path of a program found on the search path (or given with a folder),
  // or empty.
  virtual std::string FindProgram(const std::string& name) = 0;

  // Runs a program with its arguments in `workingFolder` and waits for it to end.
  // Returns its exit status, or -1 when it could not be started.
  virtual int RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& workingFolder) = 0;

  // Starts a program with its arguments and returns at once (a new instance of the
  // program, for example); false when it could not be started.
  virtual bool StartProgram(const std::string& program,
                            const std::vector<std::string>& arguments) = 0;

  // Copies the files into `folder` (created when missing) with progress; before
  // replacing a file of the same name the user is asked. False when the user stopped.
  virtual bool CopyFiles(const std::vector<std::string>& files, const std::string& folder,
                         Ui& ui) = 0;
};

}  // namespace pagora
