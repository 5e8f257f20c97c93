#include "platform/win32/forms/link_accessible.h"

#include <objbase.h>
#include <oleacc.h>

#include <memory>
#include <optional>

#include "platform/win32/system_library.h"

namespace ventrix::win32::ui {

namespace {

struct ComReleaser {
  void operator()(IUnknown* object) const { object->Release(); }
};

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The standard object with the link's role, state and default action; everything else is the
// standard object's answer. A COM object: it deletes itself when its last reference goes.
class LinkAccessible final : public IAccessible {
 public:
  LinkAccessible(IAccessible* standard, HWND link) : standard_(standard), link_(link) {}
  LinkAccessible(const LinkAccessible&) = delete;
  LinkAccessible& operator=(const LinkAccessible&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(id, __uuidof(IUnknown)) || IsEqualIID(id, __uuidof(IDispatch)) ||
        IsEqualIID(id, __uuidof(IAccessible))) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(id, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argument_error) override {
    return standard_->Invoke(member, id, locale, flags, parameters, result, exception,
                             argument_error);
  }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    return standard_->get_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return standard_->get_accDescription(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child)) return standard_->get_accRole(child, role);
    if (role == nullptr) return E_POINTER;
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_LINK;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    const HRESULT result = standard_->get_accState(child, state);
    if (FAILED(result) || !IsSelf(child) || state->vt != VT_I4) return result;
    state->lVal |= STATE_SYSTEM_LINKED | STATE_SYSTEM_FOCUSABLE;
    if (GetFocus() == link_) state->lVal |= STATE_SYSTEM_FOCUSED;
    return result;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return standard_->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return standard_->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
    return standard_->accHitTest(left, top, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!IsSelf(child)) return standard_->accDoDefaultAction(child);
    // Followed on the window thread, after the tool's call has returned.
    return PostMessageA(link_, kFollowLinkMessage, 0, 0) ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~LinkAccessible() = default;

  std::unique_ptr<IAccessible, ComReleaser> standard_;
  HWND link_;
  LONG references_ = 1;
};

// Loaded by its full path from the system directory and pinned: the objects handed out live in
// it (oleacc), or it holds the COM this thread keeps (ole32), for as long as a tool needs them.
std::optional<SystemLibrary> LoadPinned(const char* file_name) {
  std::optional<SystemLibrary> library = SystemLibrary::Load(file_name);
  HMODULE pinned = nullptr;
  if (!library ||
      !GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                          reinterpret_cast<LPCSTR>(library->module()), &pinned)) {
    return std::nullopt;
  }
  return library;
}

}  // namespace

LRESULT AnswerLinkObject(HWND link, WPARAM wparam, LPARAM lparam) {
  if (static_cast<LONG>(lparam) != OBJID_CLIENT) return 0;
  const std::optional<SystemLibrary> oleacc = LoadPinned("oleacc.dll");
  LinkObjectFunctions functions;
  if (!oleacc || !oleacc->Bind("CreateStdAccessibleObject", functions.create_standard) ||
      !oleacc->Bind("LresultFromObject", functions.lresult_from_object)) {
    return 0;
  }
  // The object reaches another process through COM, which this thread (the program's window
  // thread) may not have started yet. Started here it stays for the thread's life; a start on
  // a thread that has COM already is undone at once.
  const std::optional<SystemLibrary> ole32 = LoadPinned("ole32.dll");
  decltype(&::CoInitializeEx) start_com = nullptr;
  decltype(&::CoUninitialize) end_com = nullptr;
  if (ole32 && ole32->Bind("CoInitializeEx", start_com) && ole32->Bind("CoUninitialize", end_com) &&
      start_com(nullptr, COINIT_APARTMENTTHREADED) == S_FALSE) {
    end_com();
  }
  return AnswerLinkObject(functions, link, wparam);
}

LRESULT AnswerLinkObject(const LinkObjectFunctions& functions, HWND link, WPARAM wparam) {
  void* standard = nullptr;
  if (FAILED(functions.create_standard(link, OBJID_CLIENT, __uuidof(IAccessible), &standard)) ||
      standard == nullptr) {
    return 0;
  }
  // Handed over with one reference, which is ours and is given up once the answer holds its own.
  const std::unique_ptr<IAccessible, ComReleaser> object(
      new LinkAccessible(static_cast<IAccessible*>(standard), link));
  const LRESULT answer = functions.lresult_from_object(__uuidof(IAccessible), wparam, object.get());
  // A failure is an error code (negative): the window's default answer serves instead.
  return answer < 0 ? 0 : answer;
}

}  // namespace ventrix::win32::ui
