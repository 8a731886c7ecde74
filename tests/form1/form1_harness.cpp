#include "tests/form1/form1_harness.hpp"

#include "image/icon_writer.hpp"
#include "platform/errors.hpp"

namespace wethrix::testing {

Form1Harness::Form1Harness() {
  pump.clock = &clock;
  auto window = std::make_unique<fakes::FakeTrayWindow>();
  tray_window = window.get();
  tray = std::make_unique<cSysTray>(std::move(window), shell, pump, clock);
  // The converter writes the icon next to the bitmap, as the real one does, and fails as it
  // does when it cannot read the one or write the other.
  launcher.on_launch = [this](std::string_view command_line) {
    const std::string line(command_line);
    const auto bitmap_start = line.rfind(" \"") + 2;
    const std::string bitmap = line.substr(bitmap_start, line.size() - bitmap_start - 1);
    const std::string icon = bitmap.substr(0, bitmap.size() - 3) + "ico";
    try {
      files.Write(icon, imaging::IconFileOfBitmapFile(files.Read(bitmap)));
    } catch (const AppError&) {
    }
  };
  form = std::make_unique<Form1>(
      view, *tray,
      Form1Services{store, dialogs, inet, pump, clock, files, environment, launcher, pictures, color_picker,
                    registry, skin, [this] { ++key_dialog_shows; }, [this] { ++program_ends; }});
}

Bytes Form1Harness::IconOfTheDrawnPicture() {
  return imaging::IconFileOfBitmapFile(view.Box(1).BitmapFile());
}

void Form1Harness::Answer(int status, std::string_view body) {
  inet.replies.push_back(fakes::Reply(status, std::string(body)));
}

void Form1Harness::Start() const {
  form->Form_Load();
  form->Form_Activate();
}

void Form1Harness::OnceWhileWaiting(std::function<void()> action) {
  pump.on_pass = [this, action = std::move(action)]() mutable {
    // Taken out before it runs, since the action may let events run again; clearing on_pass
    // destroys this lambda, so nothing of it is touched afterwards.
    const std::function<void()> once = std::move(action);
    pump.on_pass = nullptr;
    once();
  };
}

std::vector<fakes::SentRecord> Form1Harness::Balloons() const {
  std::vector<fakes::SentRecord> balloons;
  for (const auto& sent : shell.sent) {
    if ((sent.record.uFlags & 0x10U) != 0 && sent.record.szInfo[0] != 0) balloons.push_back(sent);
  }
  return balloons;
}

}  // namespace wethrix::testing
