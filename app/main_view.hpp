#pragma once
// The main window Form1 as its logic sees it. Setters made by code raise no events; the logic
// calls the handlers it models itself. The Win32 window raises the events below for user actions.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/form_window.hpp"
#include "platform/picture_box.hpp"
#include "platform/timer.hpp"

namespace wethrix {

enum class WindowState { kNormal, kMinimized, kMaximized };

// Controls that raise mouse-move events for the pointer rules.
enum class MainControl {
  kBackground,
  kFrame1,
  kFrame2,
  kFrame3,
  kFrame4,
  kFrame7,
  kPushButton4,
  kPushButton5,
  kPushButton7,
  kPushButton8,
  kOther
};

class MainViewEvents {
 public:
  virtual ~MainViewEvents() = default;
  virtual void Form_Activate() = 0;
  virtual void Form_Resize() = 0;
  virtual void Form_QueryUnload() = 0;
  // The window has gone; the program ends.
  virtual void Form_Unload() = 0;
  virtual void PushButton4_Click() = 0;
  virtual void PushButton5_Click() = 0;
  virtual void PushButton7_Click() = 0;
  virtual void PushButton8_Click() = 0;
  virtual void Option4_Click() = 0;
  virtual void Option5_Click() = 0;
  virtual void Check3_Click() = 0;
  virtual void Check8_Click() = 0;
  virtual void Text2_Change() = 0;
  virtual void MouseMove(MainControl control) = 0;
  virtual void PowerResumed() = 0;
  // The program was started again in this session; that start has ended.
  virtual void AnotherCopyStarted() = 0;
};

class MainView : public virtual FormWindow {
 public:
  [[nodiscard]] virtual std::string Label1() const = 0;
  virtual void SetLabel1(std::string_view text) = 0;
  [[nodiscard]] virtual std::string Label2() const = 0;
  virtual void SetLabel2(std::string_view text) = 0;
  [[nodiscard]] virtual std::string Text2() const = 0;
  virtual void SetText2(std::string_view text) = 0;
  [[nodiscard]] virtual std::string PushButton5Caption() const = 0;

  [[nodiscard]] virtual bool Option4() const = 0;
  virtual void SetOption4(bool selected) = 0;  // selecting one clears the other
  [[nodiscard]] virtual bool Option5() const = 0;
  virtual void SetOption5(bool selected) = 0;
  [[nodiscard]] virtual bool Check3() const = 0;
  virtual void SetCheck3(bool ticked) = 0;
  [[nodiscard]] virtual bool Check8() const = 0;
  virtual void SetCheck8(bool ticked) = 0;
  [[nodiscard]] virtual bool Check8Visible() const = 0;
  virtual void SetCheck8Visible(bool visible) = 0;

  // 1: the tray icon's drawing surface, 2 and 3: the colour swatches, 4: the sample.
  [[nodiscard]] virtual PictureBox& Picture(int index) = 0;
  [[nodiscard]] virtual Timer& Timer1() = 0;
  // Asks the service again soon after a request that got no answer; armed anew for each try.
  [[nodiscard]] virtual Timer& RetryTimer() = 0;

  [[nodiscard]] virtual WindowState State() const = 0;
  virtual void SetState(WindowState state) = 0;
  // Gives the window the focus, which activates it.
  virtual void Focus() = 0;
  // Ends the program once the current handler returns.
  virtual void Close() = 0;
  // Lets outside observers, such as the tests that drive the program, tell when a refresh is
  // over. Only the count: it shows nothing and carries none of the user's data.
  virtual void PublishFinishedRefreshes(std::uint32_t count) = 0;
};

}  // namespace wethrix
