#pragma once
#include <string>

namespace Platform::System {

// The user's base folders for settings and data, by the XDG base-directory rules.
// A lookup that finds no absolute folder gives an empty result, never "/" or the
// current folder. Thread rules: reads the environment; call while no thread changes it.
class KnownFolders {
public:
  // $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config.
  static std::string UserConfigFolder();
  // $XDG_DATA_HOME when it is an absolute path, else $HOME/.local/share.
  static std::string UserDataFolder();
};

}  // namespace Platform::System
