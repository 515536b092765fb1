// pagora-cli: the catalog core without windows, for scripts and batch work.

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "base/AppDir.h"
#include "base/Paths.h"
#include "base/UserError.h"
#include "cli/CliCommands.h"
#include "cli/CliUi.h"
#include "platform/LinuxShell.h"

int main(int argc, char** argv) {
  using namespace pagora;
  std::vector<std::string> args;
  std::string appDir;
  bool answerYes = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--yes" && args.empty()) {
      answerYes = true;
    } else if (arg == "--appdir" && args.empty()) {
      if (++i >= argc) {
        std::cerr << "--appdir needs a folder\n" << kCliUsage;
        return kExitUsage;
      }
      appDir = argv[i];
    } else if ((arg == "--help" || arg == "-h") && args.empty()) {
      std::cout << kCliUsage;
      return kExitOk;
    } else {
      args.push_back(arg);
    }
  }

  CliUi ui(answerYes);
  SystemClock clock;
  RandomIdSource ids;
  LinuxShell shell;
  try {
    Context context{ui, clock, ids,
                    appDir.empty() ? ResolveAppDir(ProgramFolder())
                                   : WithTrailingSlash(std::filesystem::absolute(appDir).string()),
                    shell};
    return RunCliCommand(args, context, answerYes);
  } catch (const UsageError& error) {
    std::cerr << "pagora-cli: " << error.what() << "\n\n" << kCliUsage;
    return kExitUsage;
  } catch (const UserError& error) {
    ui.ShowMessage("错误", error.what(), MessageIcon::Error, MessageButtons::Ok);
  } catch (const std::exception& error) {
    ui.ShowMessage("错误", error.what(), MessageIcon::Error, MessageButtons::Ok);
  }
  return kExitFailed;
}
