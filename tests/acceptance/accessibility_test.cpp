// The real program as a keyboard user and a screen reader meet it, from outside its process: keys
// while a refresh waits for a service that does not answer, and the names and values assistive
// technology reads through Active Accessibility. One run of Wethrix.exe, in the order of its tests.
#include "platform/win32/services/accessibility.hpp"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <memory>
#include <span>

#include "platform/win32/handles/unique_handle.hpp"
#include "platform/win32/services/wide.hpp"
#include "tests/acceptance/wethrix_driver.hpp"
#include "tests/support/temp_folder.hpp"

namespace wethrix::acceptance {
namespace {

using win32::unique_com;

constexpr char kSanDiego[] =
    "61 \xC2\xB0"
    "F";
constexpr int kRedEdit = 706;  // of the colour dialog, opened in full

// The object a screen reader gets for a control.
unique_com<IAccessible> ObjectOf(HWND control) {
  IAccessible* object = nullptr;
  EXPECT_EQ(::AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&object)),
            S_OK);
  return unique_com<IAccessible>(object);
}

using Property = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);

std::string Read(HWND control, Property property) {
  const unique_com<IAccessible> object = ObjectOf(control);
  if (!object) return "(no object)";
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR text = nullptr;
  if ((object.get()->*property)(self, &text) != S_OK) return "(none)";
  std::string read = win32::Narrow({text, ::SysStringLen(text)});
  ::SysFreeString(text);
  return read;
}

std::string NameOf(HWND control) {
  return Read(control, &IAccessible::get_accName);
}
std::string ValueOf(HWND control) {
  return Read(control, &IAccessible::get_accValue);
}

VARIANT ChildId(long id) {
  VARIANT child{};
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

// The window of a child given as its object, which is released; null for anything else.
HWND WindowOf(VARIANT& child) {
  HWND hwnd = nullptr;
  IAccessible* accessible = nullptr;
  if (child.vt == VT_DISPATCH && SUCCEEDED(child.pdispVal->QueryInterface(
                                     __uuidof(IAccessible), reinterpret_cast<void**>(&accessible)))) {
    ::WindowFromAccessibleObject(unique_com<IAccessible>(accessible).get(), &hwnd);
  }
  ::VariantClear(&child);
  return hwnd;
}

// The windows of the children a screen reader is offered.
std::vector<HWND> OfferedChildren(HWND window) {
  const unique_com<IAccessible> object = ObjectOf(window);
  long count = 0;
  EXPECT_EQ(object.get()->get_accChildCount(&count), S_OK);
  std::vector<VARIANT> children(static_cast<std::size_t>(count));
  long got = 0;
  EXPECT_TRUE(SUCCEEDED(::AccessibleChildren(object.get(), 0, count, children.data(), &got)));
  std::vector<HWND> windows;
  for (VARIANT& child : std::span(children).first(static_cast<std::size_t>(got))) {
    windows.push_back(WindowOf(child));
  }
  return windows;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

class AccessibilityTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    apartment_ = std::make_unique<win32::ComApartment>();
    settings::Clear();
    settings::Set(L"APIKey", L"demo-key");
    standin::Reset();
    standin::Hold();
    folder_ = std::make_unique<test_support::TempFolder>(u8"wethrix accessibility");
    wethrix_ = std::make_unique<WethrixDriver>(folder_->Path());
    wethrix_->Start();
  }

  static void TearDownTestSuite() {
    standin::Release();
    if (wethrix_) {
      EXPECT_TRUE(wethrix_->CloseAndWait());
    }
    wethrix_.reset();
    folder_.reset();
    settings::Clear();
    apartment_.reset();
  }

  void SetUp() override { ASSERT_TRUE(wethrix_ && wethrix_->Running()) << "the program is gone"; }

  static WethrixDriver& Wethrix() { return *wethrix_; }

  static inline std::unique_ptr<win32::ComApartment> apartment_;
  static inline std::unique_ptr<test_support::TempFolder> folder_;
  static inline std::unique_ptr<WethrixDriver> wethrix_;
};

TEST_F(AccessibilityTest, TabMovesTheFocusWhileTheFirstRefreshWaitsForAServiceThatDoesNotAnswer) {
  ASSERT_TRUE(WaitUntil([] { return standin::Requests().size() == 1; })) << "the first refresh never asked";
  const HWND first = Wethrix().Control("PushButton5");
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(Wethrix().MainWindow()) == first; }));
  ::PostMessageW(first, WM_KEYDOWN, VK_TAB, 1);
  ::PostMessageW(first, WM_KEYUP, VK_TAB, 0xC0000001);
  EXPECT_TRUE(WaitUntil([] { return FocusOf(Wethrix().MainWindow()) == Wethrix().Control("PushButton4"); }));
  EXPECT_EQ(Wethrix().FinishedRefreshes(), 0U) << "the refresh was still waiting";
  standin::Release();
  ASSERT_TRUE(Wethrix().WaitForRefreshAfter(0));
}

TEST_F(AccessibilityTest, TheColourButtonsSwatchesAndSampleHaveNamesAndValues) {
  struct Case {
    const char* control;
    std::string name;
    std::string value;  // "(none)": the system's own, which has none
  };
  const Case cases[] = {
      {"PushButton7", "Change font color", "(none)"},
      {"PushButton8", "Change background color", "(none)"},
      {"Picture2", "Font color", "#FFFF00"},
      {"Picture3", "Background color", "#000000"},
      {"Picture4", "Sample", kSanDiego},
  };
  for (const Case& c : cases) {
    const HWND control = Wethrix().Control(c.control);
    EXPECT_EQ(NameOf(control), c.name) << c.control;
    EXPECT_EQ(ValueOf(control), c.value) << c.control;
  }
  EXPECT_EQ(Wethrix().Text("PushButton7"), "Change");
  EXPECT_EQ(Wethrix().Text("PushButton8"), "Change");
}

TEST_F(AccessibilityTest, TheIconSurfaceAndTheTextBoxAreNotOfferedAsControls) {
  const std::vector<HWND> offered = OfferedChildren(Wethrix().MainWindow());
  EXPECT_EQ(offered.size(), 21U) << "the 23 designed controls less two";
  for (const char* shown : {"PushButton5", "Label2", "Picture2", "Picture4"}) {
    EXPECT_EQ(std::ranges::count(offered, Wethrix().Control(shown)), 1) << shown;
  }
  for (const char* own : {"Picture1", "Text2"}) {
    EXPECT_EQ(std::ranges::count(offered, Wethrix().Control(own)), 0) << own;
  }

  // The same children by number and by navigation.
  const unique_com<IAccessible> form = ObjectOf(Wethrix().MainWindow());
  for (long id = 1; id <= static_cast<long>(offered.size()); ++id) {
    const HWND expected = offered[static_cast<std::size_t>(id) - 1];
    VARIANT child{};
    if (form.get()->get_accChild(ChildId(id), &child.pdispVal) == S_OK) child.vt = VT_DISPATCH;
    EXPECT_EQ(WindowOf(child), expected) << id;
    form.get()->accNavigate(id == 1 ? NAVDIR_FIRSTCHILD : NAVDIR_NEXT, ChildId(id - 1), &child);
    EXPECT_EQ(WindowOf(child), expected) << id;
  }
}

TEST_F(AccessibilityTest, ValuesFollowANewColourAndANewSampleText) {
  std::uint32_t refreshes = Wethrix().FinishedRefreshes();
  Wethrix().Click("PushButton7");
  const HWND picker = Wethrix().WaitForDialog(L"Color", L"Edit");
  ASSERT_NE(picker, nullptr) << "no colour picker";
  SetEditText(::GetDlgItem(picker, kRedEdit), "16");
  PressButton(picker, IDOK);
  ASSERT_TRUE(Wethrix().WaitForRefreshAfter(refreshes)) << "the new colour refreshes";
  EXPECT_EQ(ValueOf(Wethrix().Control("Picture2")), "#10FF00");

  refreshes = Wethrix().FinishedRefreshes();
  Wethrix().Click("Option5");
  ASSERT_TRUE(Wethrix().WaitForRefreshAfter(refreshes));
  EXPECT_NE(Wethrix().Text("Text2"), kSanDiego);
  EXPECT_EQ(ValueOf(Wethrix().Control("Picture4")), Wethrix().Text("Text2"));
}

TEST_F(AccessibilityTest, TheKeyFieldIsNamedByTheCaptionAboveIt) {
  Wethrix().Click("PushButton5");
  const HWND dialog = Wethrix().WaitForOwnWindow(L"Key Options");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(NameOf(KeyDialogControl(dialog, "Text1")), "Enter Your OpenWeatherMap API Key");
  ::PostMessageW(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([] { return Wethrix().MainWindowShown(); }));
}

}  // namespace
}  // namespace wethrix::acceptance
