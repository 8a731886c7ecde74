#include "tests/form1/win32_refresh_rig.hpp"

#include "platform/win32/services/tray_window.hpp"

namespace wethrix::testing {

std::optional<std::string> FolderEnvironment::Variable(std::string_view name) const {
  if (const auto found = overrides.find(name); found != overrides.end()) return found->second;
  if (name == "TEMP") return folder_;
  return real_.Variable(name);
}

Win32RefreshRig::Win32RefreshRig(const std::string& folder, RigServices services,
                                 const std::map<std::string, std::string>& settings)
    : environment(folder),
      window(::GetModuleHandleW(nullptr)),
      tray(std::make_unique<win32::Win32TrayWindow>(), services.tray_shell, pump, clock),
      form(window, tray,
           Form1Services{store, dialogs, services.inet, pump, clock, files, environment, services.launcher,
                         services.pictures, color_picker, registry, skin, [this] { ++key_dialog_shows; },
                         [] {}}) {
  store.Set(std::string(setting::kApiKey), "demo-key");
  for (const auto& [key, value] : settings) store.Set(key, value);
  window.SetEvents(&form);
}

}  // namespace wethrix::testing
