#include "tests/Support/EndToEnd/ProgramLaunch.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace Testing::EndToEnd {

std::unique_ptr<ChildProcess> StartProgram(const ProgramLaunch& launch, std::string& error) {
  namespace fs = std::filesystem;
  const std::string config = launch.home + "/.config";
  const std::string data = launch.home + "/.local/share";
  const std::string runtime = launch.home + "/.runtime";
  std::error_code ignored;
  for (const std::string& folder : {config, data, runtime, launch.home + "/Documents"})
    fs::create_directories(folder, ignored);
  fs::permissions(runtime, fs::perms::owner_all, ignored);
  ChildProcess::Options options{
      .program = launch.program,
      .arguments = launch.arguments,
      .environment = {{"DISPLAY", launch.display},
                      {"HOME", launch.home},
                      {"XDG_CONFIG_HOME", config},
                      {"XDG_DATA_HOME", data},
                      {"XDG_RUNTIME_DIR", runtime},
                      {"QT_QPA_PLATFORM", "xcb"},
                      {"QT_FONT_DPI", std::to_string(launch.dotsPerInch)},
                      {"QT_ENABLE_HIGHDPI_SCALING", ""},
                      {"QT_SCALE_FACTOR", ""},
                      {"SV_PAINT_LOG", launch.paintLog}},
      .logPath = launch.logPath.empty() ? "/dev/null" : launch.logPath,
  };
  return ChildProcess::Start(options, error);
}

std::string ReadTextFile(const std::string& path) {
  std::ifstream file(path);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace Testing::EndToEnd
