#include "platform/win32/services/accessibility.hpp"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <exception>

#include "platform/win32/handles/unique_handle.hpp"
#include "platform/win32/services/check.hpp"
#include "platform/win32/services/message_gate.hpp"
#include "platform/win32/services/wide.hpp"

namespace wethrix::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 1;

[[nodiscard]] bool IsSelf(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// A child control's own object, as the system gives it.
[[nodiscard]] HRESULT WindowObject(HWND window, IDispatch** object) {
  return ::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                                      reinterpret_cast<void**>(object));
}
[[nodiscard]] HRESULT WindowObject(HWND window, VARIANT* object) {
  const HRESULT found = WindowObject(window, &object->pdispVal);
  if (SUCCEEDED(found)) object->vt = VT_DISPATCH;
  return found;
}

[[nodiscard]] HRESULT ToBstr(const std::wstring& text, BSTR* out) {
  if (out == nullptr) return E_POINTER;
  *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// COM interfaces have no virtual destructor; this object is deleted only by its own Release, as
// the class it is.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// The system's object for a control, with what the form was told put over it. The form's own
// object also gives its children, whichever way it is asked (the child list, get_accChild's
// numbers, navigation, hit testing), leaving the withheld ones out; every other call is the
// system object's. What it answers QueryInterface for is fixed when it is made, as COM asks. It is
// handed to assistive technology, so no failure escapes it. It lives in the window's
// single-threaded apartment, so only that thread calls it.
class AccessibleControl final : public IAccessible, public IEnumVARIANT, public IOleWindow {
 public:
  AccessibleControl(unique_com<IAccessible> standard, HWND hwnd, std::weak_ptr<const AccessibleForm> form,
                    bool is_form)
      : standard_(std::move(standard)), hwnd_(hwnd), form_(std::move(form)), is_form_(is_form) {}
  AccessibleControl(const AccessibleControl&) = delete;
  AccessibleControl& operator=(const AccessibleControl&) = delete;
  AccessibleControl(AccessibleControl&&) = delete;
  AccessibleControl& operator=(AccessibleControl&&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
    } else if (iid == __uuidof(IOleWindow)) {
      *object = static_cast<IOleWindow*>(this);
    } else if (iid == __uuidof(IEnumVARIANT) && is_form_) {
      *object = static_cast<IEnumVARIANT*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_.get()->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_.get()->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_.get()->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argument) override {
    return standard_.get()->Invoke(id, iid, locale, flags, parameters, result, exception, argument);
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return Guarded([&] {
      const auto form = form_.lock();
      const ControlDescription* described = form ? form->Of(hwnd_) : nullptr;
      if (IsSelf(child) && described != nullptr && described->name) return ToBstr(*described->name, name);
      return standard_.get()->get_accName(child, name);
    });
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return Guarded([&] {
      const auto form = form_.lock();
      const ControlDescription* described = form ? form->Of(hwnd_) : nullptr;
      if (IsSelf(child) && described != nullptr && described->value) {
        return ToBstr(Widen(described->value()), value);
      }
      return standard_.get()->get_accValue(child, value);
    });
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!is_form_) return standard_.get()->get_accChildCount(count);
    return Guarded([&] {
      if (count == nullptr) return E_POINTER;
      *count = static_cast<long>(Children().size());
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_.get()->get_accParent(parent);
  }
  // Children are numbered from 1 in the order of the child list.
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    if (!is_form_) return standard_.get()->get_accChild(child, object);
    return Guarded([&] {
      if (object == nullptr) return E_POINTER;
      *object = nullptr;
      const std::vector<HWND> children = Children();
      if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > static_cast<long>(children.size())) {
        return E_INVALIDARG;
      }
      return WindowObject(children[static_cast<std::size_t>(child.lVal) - 1], object);
    });
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return standard_.get()->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return standard_.get()->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return standard_.get()->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_.get()->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    return standard_.get()->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_.get()->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return standard_.get()->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_.get()->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_.get()->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return standard_.get()->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    return standard_.get()->accLocation(left, top, width, height, child);
  }
  // Into and along the children in the order of the child list; the children have no places of
  // their own among each other here. From the form itself to its siblings is the system's.
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    const bool into = direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD;
    if (!is_form_ || (IsSelf(start) && !into)) return standard_.get()->accNavigate(direction, start, end);
    return Guarded([&] {
      if (end == nullptr) return E_POINTER;
      ::VariantInit(end);
      const std::vector<HWND> children = Children();
      const auto count = static_cast<long>(children.size());
      long to = 0;
      if (IsSelf(start)) {
        to = direction == NAVDIR_FIRSTCHILD ? 1 : count;
      } else if (into || start.vt != VT_I4 || start.lVal < 1 || start.lVal > count) {
        return E_INVALIDARG;
      } else if (direction == NAVDIR_NEXT || direction == NAVDIR_PREVIOUS) {
        to = direction == NAVDIR_NEXT ? start.lVal + 1 : start.lVal - 1;
      } else {
        return DISP_E_MEMBERNOTFOUND;
      }
      if (to < 1 || to > count) return S_FALSE;
      return WindowObject(children[static_cast<std::size_t>(to) - 1], end);
    });
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override {
    if (!is_form_) return standard_.get()->accHitTest(left, top, child);
    return Guarded([&] {
      if (child == nullptr) return E_POINTER;
      ::VariantInit(child);
      POINT point{left, top};
      RECT client{};
      if (!::ScreenToClient(hwnd_, &point) || !::GetClientRect(hwnd_, &client) ||
          !::PtInRect(&client, point)) {
        return S_FALSE;
      }
      const HWND under = ::ChildWindowFromPointEx(hwnd_, point, CWP_SKIPINVISIBLE);
      if (std::ranges::count(Children(), under) == 0) {
        child->vt = VT_I4;
        child->lVal = CHILDID_SELF;
        return S_OK;
      }
      return WindowObject(under, child);
    });
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_.get()->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_.get()->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_.get()->put_accValue(child, value);
  }

  // The form's children, as the system's object would give them.
  HRESULT STDMETHODCALLTYPE Next(ULONG wanted, VARIANT* items, ULONG* fetched) override {
    return Guarded([&] {
      if (items == nullptr) return E_POINTER;
      const std::vector<HWND> children = Children();
      ULONG given = 0;
      while (given < wanted && position_ < children.size()) {
        ::VariantInit(&items[given]);
        if (SUCCEEDED(WindowObject(children[position_++], &items[given]))) ++given;
      }
      if (fetched != nullptr) *fetched = given;
      return given == wanted ? S_OK : S_FALSE;
    });
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    return Guarded([&] {
      position_ += count;
      return position_ <= Children().size() ? S_OK : S_FALSE;
    });
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    position_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override {
    return Guarded([&] {
      if (copy == nullptr) return E_POINTER;
      standard_.get()->AddRef();
      unique_com<IAccessible> standard(standard_.get());
      auto* clone = new AccessibleControl(std::move(standard), hwnd_, form_, is_form_);
      clone->position_ = position_;
      *copy = clone;
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    if (window == nullptr) return E_POINTER;
    *window = hwnd_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL /*enter*/) override { return E_NOTIMPL; }

 private:
  ~AccessibleControl() = default;

  template <typename Call>
  static HRESULT Guarded(const Call& call) noexcept {
    try {
      return call();
    } catch (...) {
      return E_FAIL;
    }
  }

  [[nodiscard]] std::vector<HWND> Children() const {
    const auto form = form_.lock();
    return form ? form->OfferedChildren() : std::vector<HWND>{};
  }

  ULONG references_ = 1;
  unique_com<IAccessible> standard_;
  HWND hwnd_;
  std::weak_ptr<const AccessibleForm> form_;
  bool is_form_;
  std::size_t position_ = 0;
};
#pragma GCC diagnostic pop

}  // namespace

const ControlDescription* AccessibleForm::Of(HWND control) const {
  const auto name = names.find(control);
  if (name == names.end()) return nullptr;
  const auto found = described->find(name->second);
  return found == described->end() ? nullptr : &found->second;
}

std::vector<HWND> AccessibleForm::OfferedChildren() const {
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(form, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
    const ControlDescription* description = Of(child);
    if (description == nullptr || !description->withheld) children.push_back(child);
  }
  return children;
}

// A window that outlived its form's description must not call into it.
Win32Accessibility::~Win32Accessibility() {
  Detach();
}

void Win32Accessibility::SetName(std::string_view control, std::string_view name) {
  described_[std::string(control)].name = Widen(name);
}

void Win32Accessibility::SetValue(std::string_view control, std::function<std::string()> value) {
  described_[std::string(control)].value = std::move(value);
}

void Win32Accessibility::Withhold(std::string_view control) {
  described_[std::string(control)].withheld = true;
}

void Win32Accessibility::Attach(HWND form, const std::vector<std::pair<std::string, HWND>>& controls) {
  Detach();
  attached_ = std::make_shared<AccessibleForm>(AccessibleForm{form, {}, &described_});
  ThrowIfFalse(::SetWindowSubclass(form, &SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)));
  for (const auto& [name, hwnd] : controls) {
    attached_->names.emplace(hwnd, name);
    ThrowIfFalse(::SetWindowSubclass(hwnd, &SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)));
  }
}

void Win32Accessibility::Detach() noexcept {
  if (!attached_) return;
  for (const auto& [hwnd, name] : attached_->names) ::RemoveWindowSubclass(hwnd, &SubclassProc, kSubclassId);
  ::RemoveWindowSubclass(attached_->form, &SubclassProc, kSubclassId);
  attached_.reset();
}

// Only what the form was told is answered here; every other window, and every other object
// (the frame, the scroll bars, UI Automation's own), is left to the system.
LRESULT Win32Accessibility::Answer(HWND hwnd, WPARAM flags) const noexcept try {
  const ControlDescription* described = attached_->Of(hwnd);
  const bool has_own = described != nullptr && (described->name || described->value);
  const bool lists_children =
      hwnd == attached_->form &&
      std::ranges::any_of(*attached_->described, [](const auto& entry) { return entry.second.withheld; });
  if (!has_own && !lists_children) return 0;
  IAccessible* standard = nullptr;
  if (FAILED(::CreateStdAccessibleObject(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&standard)))) {
    return 0;
  }
  const unique_com<AccessibleControl> object(
      new AccessibleControl(unique_com<IAccessible>(standard), hwnd, attached_, hwnd == attached_->form));
  const LRESULT answer =
      ::LresultFromObject(__uuidof(IAccessible), flags, static_cast<IAccessible*>(object.get()));
  return answer < 0 ? 0 : answer;
} catch (const std::exception&) {
  return 0;
}

LRESULT CALLBACK Win32Accessibility::SubclassProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                                  UINT_PTR id, DWORD_PTR self) noexcept {
  auto* accessibility = reinterpret_cast<Win32Accessibility*>(self);
  // Another program's WM_NCDESTROY would end the description of a window that lives on.
  if (message == WM_NCDESTROY && !SentFromElsewhere(message)) {
    ::RemoveWindowSubclass(hwnd, &SubclassProc, id);
    if (accessibility->attached_ && hwnd == accessibility->attached_->form) accessibility->Detach();
  } else if (message == WM_GETOBJECT && static_cast<LONG>(lparam) == OBJID_CLIENT &&
             accessibility->attached_) {
    if (const LRESULT answer = accessibility->Answer(hwnd, wparam)) return answer;
  }
  return ::DefSubclassProc(hwnd, message, wparam, lparam);
}

}  // namespace wethrix::win32
