// The CHM compiler on Linux: Free Pascal's chmcmd. It reads every file, the default
// topic and the contents file relative to the project's folder (an absolute path makes
// it crash), packs the default topic only when it is listed under [FILES] as well, and
// reports some failures with exit status 0. So the project is translated: its files are
// linked into a staging folder under bare names, chmcmd compiles there, and the result
// is checked before it is moved to the place the project names.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <thread>

#include "base/AtomicFile.h"
#include "base/KeyValueLines.h"
#include "base/Paths.h"
#include "base/Strings.h"
#include "base/TextFile.h"
#include "base/UserError.h"
#include "platform/ChmCompiler.h"
#include "platform/LinuxShell.h"

extern char** environ;

namespace fs = std::filesystem;

namespace pagora {
namespace {

struct Project {
  Lines options, windows, files, tail;  // tail: [INFOTYPES] and anything after
  std::string compiledFile, defaultTopic, contentsFile;
};

Project ReadProject(const std::string& path) {
  Project project;
  Lines* section = nullptr;
  for (const std::string& line : ReadTextFileStrict(path)) {
    const std::string upper = ToUpperAscii(Trim(line));
    if (upper == "[OPTIONS]") {
      section = &project.options;
      continue;
    }
    if (upper == "[WINDOWS]") {
      section = &project.windows;
      continue;
    }
    if (upper == "[FILES]") {
      section = &project.files;
      continue;
    }
    if (!upper.empty() && upper[0] == '[') section = &project.tail;
    if (section) section->push_back(line);
  }
  project.compiledFile = ValueOfKey(project.options, "Compiled file");
  project.defaultTopic = ValueOfKey(project.options, "Default topic");
  project.contentsFile = ValueOfKey(project.options, "Contents file");
  return project;
}

// A project path made absolute against the project's folder.
std::string Absolute(const std::string& path, const std::string& projectFolder) {
  return IsAbsoluteStoredPath(path) ? LocalRelativePath(path)
                                    : JoinPath(projectFolder, LocalRelativePath(path));
}

class Stage {
 public:
  Stage() {
    std::string pattern = (fs::temp_directory_path() / "pagora-chm-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
      throw UserError("无法建立临时文件夹：" + std::string(std::strerror(errno)));
    folder_ = pattern + "/";
  }
  ~Stage() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  const std::string& Folder() const { return folder_; }

  // Links `source` into the stage under its file name; returns that name, or empty for
  // a file that does not exist (a missing picture is left out, as the copy does).
  std::string Add(const std::string& source) {
    if (!FileExists(source)) return {};
    const std::string name = FileNameOf(source);
    const auto known = names_.find(name);
    if (known != names_.end()) {
      if (known->second == source) return name;
      throw UserError("CHM文件中不能有两个同名的文件：“" + known->second + "”和“" + source + "”。");
    }
    std::error_code error;
    fs::create_symlink(fs::absolute(source), folder_ + name, error);
    if (error) fs::copy_file(source, folder_ + name, error);
    if (error) throw UserError("无法准备文件“" + source + "”：" + error.message());
    names_[name] = source;
    total_ += fs::file_size(source, error);
    return name;
  }
  uint64_t TotalBytes() const { return total_; }
  // The original file behind a staged name, or empty.
  std::string SourceOf(const std::string& name) const {
    const auto found = names_.find(name);
    return found == names_.end() ? std::string() : found->second;
  }

 private:
  std::string folder_;
  std::map<std::string, std::string> names_;
  uint64_t total_ = 0;
};

uint64_t BytesRead(pid_t pid) {
  std::ifstream io("/proc/" + std::to_string(pid) + "/io");
  std::string key;
  uint64_t value = 0;
  while (io >> key >> value) {
    if (key == "rchar:") return value;
  }
  return 0;
}

// More than about a hundred files make chmcmd write a wrong number for the first
// listing block into the directory header, and readers then see two entries only.
// The directory always starts with its first listing block, so the number is 0.
void MendDirectoryHeader(const std::string& chm) {
  std::fstream file(chm, std::ios::in | std::ios::out | std::ios::binary);
  unsigned char offsetBytes[8] = {};
  file.seekg(0x48);
  if (!file.read(reinterpret_cast<char*>(offsetBytes), 8)) return;
  uint64_t offset = 0;
  for (int i = 7; i >= 0; --i) offset = offset << 8 | offsetBytes[i];
  char signature[4] = {};
  file.seekg(std::streamoff(offset));
  if (!file.read(signature, 4) || std::memcmp(signature, "ITSP", 4) != 0) return;
  const char zero[4] = {0, 0, 0, 0};
  file.seekp(std::streamoff(offset + 32));
  file.write(zero, 4);
}

// Like the compilers of HTML Help, packs what the listed pages refer to (pictures,
// frames, linked pages) when it lies beside them; chmcmd's own scan would look in the
// staging folder, where only the listed files are.
void AddReferencedFiles(Stage& stage, Lines& files) {
  static const std::regex kReference(R"re((?:src|href|background)\s*=\s*["']?([^"'\s>]+))re",
                                     std::regex::icase);
  for (size_t i = 0; i < files.size(); ++i) {
    const std::string source = stage.SourceOf(files[i]);
    const std::string extension = ToUpperAscii(ExtensionOf(source));
    if (source.empty() || (extension != ".HTM" && extension != ".HTML")) continue;
    std::string text;
    try {
      text = ReadWholeFile(source);
    } catch (const UserError&) {
      continue;
    }
    for (std::sregex_iterator it(text.begin(), text.end(), kReference), end; it != end; ++it) {
      const std::string target = (*it)[1].str();
      if (target.find(':') != std::string::npos || target[0] == '#' || target[0] == '/' ||
          target.find('/') != std::string::npos || target.find("..") != std::string::npos) {
        continue;  // addresses, anchors and other folders are not packed
      }
      const std::string name = stage.Add(FolderOf(source) + target);
      if (!name.empty() && std::find(files.begin(), files.end(), name) == files.end()) {
        files.push_back(name);
      }
    }
  }
}

class ChmcmdCompiler final : public TChmCompiler {
 public:
  void Compile(const std::string& projectPath, const Progress& progress) override {
    const std::string chmcmd = LinuxShell().FindProgram("chmcmd");
    if (chmcmd.empty()) {
      throw UserError("没有找到CHM编译程序（chmcmd），无法生成CHM文件。请安装 fp-utils。");
    }
    const std::string projectFolder = FolderOf(fs::absolute(projectPath).string());
    const Project project = ReadProject(projectPath);
    if (project.compiledFile.empty())
      throw UserError("CHM工程文件没有指定输出文件：" + projectPath);
    const std::string target = Absolute(project.compiledFile, projectFolder);

    Stage stage;
    Lines translated = {"[OPTIONS]"};
    for (const std::string& line : project.options) {
      const std::string_view key = KeyOfLine(line);
      if (EqualsIgnoreCase(key, "Compiled file")) {
        translated.push_back("Compiled file=output.chm");
      } else if (EqualsIgnoreCase(key, "Default topic") && !project.defaultTopic.empty()) {
        translated.push_back("Default topic=" +
                             stage.Add(Absolute(project.defaultTopic, projectFolder)));
      } else if (EqualsIgnoreCase(key, "Contents file") && !project.contentsFile.empty()) {
        translated.push_back("Contents file=" +
                             stage.Add(Absolute(project.contentsFile, projectFolder)));
      } else {
        translated.push_back(line);
      }
    }
    translated.push_back("[WINDOWS]");
    translated.insert(translated.end(), project.windows.begin(), project.windows.end());
    translated.push_back("[FILES]");
    // The default topic is packed only when it is listed too.
    if (!project.defaultTopic.empty()) {
      const std::string topic = stage.Add(Absolute(project.defaultTopic, projectFolder));
      if (topic.empty()) throw UserError("找不到CHM文件的首页：" + project.defaultTopic);
      translated.push_back(topic);
    }
    for (const std::string& file : project.files) {
      if (Trim(file).empty()) continue;
      const std::string name = stage.Add(Absolute(std::string(Trim(file)), projectFolder));
      if (!name.empty() &&
          std::find(translated.begin(), translated.end(), name) == translated.end()) {
        translated.push_back(name);
      }
    }
    AddReferencedFiles(stage, translated);
    translated.push_back("");
    translated.insert(translated.end(), project.tail.begin(), project.tail.end());
    WriteTextLines(stage.Folder() + "project.hhp", translated);

    const std::string log = Run(chmcmd, stage, progress);
    const std::string made = stage.Folder() + "output.chm";
    std::error_code error;
    const bool failed = log.find("Error") != std::string::npos ||
                        log.find("Can't find") != std::string::npos || !FileExists(made) ||
                        fs::file_size(made, error) == 0;
    if (failed) throw UserError("CHM编译程序没有生成CHM文件：" + std::string(Trim(log)));
    MendDirectoryHeader(made);
    fs::create_directories(FolderOf(target), error);
    fs::rename(made, target, error);
    if (error) {
      error.clear();
      fs::copy_file(made, target, fs::copy_options::overwrite_existing, error);
    }
    if (error) throw UserError("无法写入CHM文件“" + target + "”：" + error.message());
  }

 private:
  // Runs chmcmd in the stage; reports how much of its input it has read so far.
  static std::string Run(const std::string& chmcmd, const Stage& stage, const Progress& progress) {
    const std::string logPath = stage.Folder() + "chmcmd.log";
    std::vector<std::string> argv = {chmcmd, "--no-html-scan", "project.hhp"};
    std::vector<char*> args;
    for (std::string& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawn_file_actions_addchdir_np(&actions, stage.Folder().c_str());
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) throw UserError("无法启动CHM编译程序：" + std::string(std::strerror(rc)));

    const uint64_t total = std::max<uint64_t>(stage.TotalBytes(), 1);
    int lastPercent = -1;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
      const int percent = int(std::min<uint64_t>(99, BytesRead(pid) * 100 / total));
      if (percent != lastPercent && progress)
        progress("正在编译CHM文件：" + std::to_string(percent) + "%");
      lastPercent = percent;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::string log;
    try {
      log = ReadWholeFile(logPath);
    } catch (const UserError&) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      throw UserError("CHM编译程序出错（退出代码 " +
                      std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + "）：" +
                      std::string(Trim(log)));
    }
    if (progress) progress("正在编译CHM文件：100%");
    return log;
  }
};

}  // namespace

TChmCompiler& TChmCompiler::Instance() {
  static ChmcmdCompiler compiler;
  return compiler;
}

}  // namespace pagora
