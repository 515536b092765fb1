#pragma once

#include <functional>
#include <string>

namespace pagora {

// Compiles an HTML Help project file into the CHM file it names, reporting progress
// lines as it goes. One compiler serves the whole process.
class TChmCompiler {
 public:
  using Progress = std::function<void(const std::string& line)>;

  virtual ~TChmCompiler() = default;

  // The process's compiler: chmcmd (Free Pascal) on Linux.
  static TChmCompiler& Instance();

  // Compiles the project; throws UserError with the compiler's own words when no CHM
  // file was made.
  virtual void Compile(const std::string& projectPath, const Progress& progress) = 0;
};

}  // namespace pagora
