#pragma once
// Form3 "Key Options": how to get an API key, two pages to open, the key itself, and OK.
#include <functional>
#include <string_view>

#include "app/settings.hpp"
#include "options/key_dialog_view.hpp"
#include "platform/dialogs.hpp"
#include "platform/environment.hpp"
#include "platform/file_system.hpp"
#include "platform/settings_store.hpp"
#include "platform/shell_open.hpp"

namespace wethrix {

inline constexpr std::string_view kKeyDialogCaption = "Key Options";
inline constexpr std::string_view kSignInAddress = "https://home.openweathermap.org/users/sign_in/";
inline constexpr std::string_view kApiKeyArticleAddress =
    "https://en.wikipedia.org/wiki/Application_programming_interface_key";

struct Form3Services {
  SettingsStore& store;
  Dialogs& dialogs;
  ShellOpen& shell;
  const FileSystem& files;
  const Environment& environment;
  // Form1.ListTemp with its Silent flag.
  std::function<void(bool silent)> list_temp;
  // Shows the main window again, not modal.
  std::function<void()> show_main_window;
};

class Form3 final : public KeyDialogEvents {
 public:
  Form3(KeyDialogView& view, Form3Services services);

  // Shows the dialog, not modal, loading it first when it is not loaded.
  void Show();
  void Form_Load();

  void PushButton1_Click() override;
  void PushButton2_Click() override;
  void PushButton6_Click() override;
  void Text1_Change() override;
  void Text1_GotFocus() override;
  void Form_Unload() override;
  void MouseMove(KeyDialogControl control) override;

 private:
  void OpenAddress(std::string_view address, std::string_view tag);

  KeyDialogView& view_;
  Form3Services services_;
  Settings settings_;
};

}  // namespace wethrix
