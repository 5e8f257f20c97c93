#include "platform/win32/web_version_check_win32.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <mutex>  // std::lock_guard
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/worker_thread_win32.h"

namespace ventrix::win32 {
namespace {

constexpr char kWindowClass[] = "VentrixWebVersionCheck";
constexpr char kUserAgent[] = "Ventrix web version check";
constexpr UINT kResultsPosted = WM_APP + 1;
// Bound on each connect, send and receive, below the overall deadline of the check.
constexpr std::chrono::milliseconds kMaxOperationTimeout{10'000};
constexpr DWORD kConnectRetries = 1;
constexpr DWORD kReadChunkBytes = 4096;
// Redirects are followed here, counted and checked, rather than by WinINet, which may follow
// a redirect loop for ever (Wine's does).
constexpr DWORD kOpenUrlFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI |
                                INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_AUTO_REDIRECT;
constexpr int kFirstSuccessStatus = 200;
constexpr int kFirstNonSuccessStatus = 300;
constexpr int kPermanentRedirectStatus = 308;  // not named by older SDK headers

struct InternetCloser {
  decltype(&::InternetCloseHandle) close = nullptr;
  void operator()(HINTERNET handle) const { close(handle); }
};
using InternetHandle = std::unique_ptr<void, InternetCloser>;

}  // namespace

std::string Utf8ToAnsi(const std::string& text) {
  if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return text;
  const int length = static_cast<int>(text.size());
  const int wide_length =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
  if (wide_length <= 0) return text;
  std::wstring wide(static_cast<std::size_t>(wide_length), L'\0');
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, wide.data(),
                          wide_length) != wide_length) {
    return text;
  }
  const int ansi_length =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
  if (ansi_length <= 0) return text;
  std::string ansi(static_cast<std::size_t>(ansi_length), '\0');
  if (WideCharToMultiByte(CP_ACP, 0, wide.data(), wide_length, ansi.data(), ansi_length, nullptr,
                          nullptr) != ansi_length) {
    return text;
  }
  return ansi;
}

// Results travel from the worker threads to the window thread through this queue; the
// posted message only says "look at the queue", so no pointer ever crosses threads.
struct CheckChannel {
  CriticalSection mutex;
  HWND window = nullptr;  // null once the check object is gone
  std::vector<std::pair<std::uint32_t, CheckOutcome>> results;  // in arrival order

  void Post(std::uint32_t check_id, CheckOutcome outcome) {
    std::lock_guard lock(mutex);
    if (window == nullptr) return;
    results.emplace_back(check_id, std::move(outcome));
    PostMessageA(window, kResultsPosted, 0, 0);
  }

  std::optional<std::pair<std::uint32_t, CheckOutcome>> Take() {
    std::lock_guard lock(mutex);
    if (results.empty()) return std::nullopt;
    auto result = std::move(results.front());
    results.erase(results.begin());
    return result;
  }
};

// One running fetch. The worker alone opens, uses and closes its WinINet handles: closing a
// handle from the window thread could land between the worker's check and its next call, and
// WinINet hands freed handle values out again, so that call could act on another fetch's
// request. Instead the window thread only marks the fetch aborted; the worker looks at the
// mark between steps, and the session's timeouts bound each blocking call.
struct FetchControl {
  std::atomic<bool> aborted{false};

  void Abort() { aborted.store(true); }
  bool Aborted() const { return aborted.load(); }
};

namespace {

void SetTimeouts(const WinInetFunctions& api, HINTERNET session,
                 std::chrono::milliseconds timeout) {
  DWORD milliseconds = static_cast<DWORD>(std::min(timeout, kMaxOperationTimeout).count());
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                       INTERNET_OPTION_RECEIVE_TIMEOUT, INTERNET_OPTION_DATA_SEND_TIMEOUT,
                       INTERNET_OPTION_DATA_RECEIVE_TIMEOUT}) {
    api.InternetSetOptionA(session, option, &milliseconds, sizeof(milliseconds));
  }
  DWORD retries = kConnectRetries;
  api.InternetSetOptionA(session, INTERNET_OPTION_CONNECT_RETRIES, &retries, sizeof(retries));
}

std::optional<int> StatusOf(const WinInetFunctions& api, HINTERNET request) {
  DWORD status = 0;
  DWORD size = sizeof(status);
  if (!api.HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                          nullptr)) {
    return std::nullopt;
  }
  return static_cast<int>(status);
}

bool IsRedirect(int status) {
  return status == HTTP_STATUS_MOVED || status == HTTP_STATUS_REDIRECT ||
         status == HTTP_STATUS_REDIRECT_METHOD || status == HTTP_STATUS_REDIRECT_KEEP_VERB ||
         status == kPermanentRedirectStatus;
}

// The absolute address a redirect points to, resolved against the address asked for; nothing
// when the answer names none or it is longer than kMaxHttpAddressBytes.
std::optional<std::string> RedirectTarget(const WinInetFunctions& api, HINTERNET request,
                                          const std::string& from) {
  std::string location(kMaxHttpAddressBytes + 1, '\0');
  DWORD size = static_cast<DWORD>(location.size());
  if (!api.HttpQueryInfoA(request, HTTP_QUERY_LOCATION, location.data(), &size, nullptr)) {
    return std::nullopt;
  }
  location.resize(std::min<std::size_t>(size, kMaxHttpAddressBytes));
  std::string target(kMaxHttpAddressBytes + 1, '\0');
  DWORD target_size = static_cast<DWORD>(target.size());
  if (!api.InternetCombineUrlA(from.c_str(), location.c_str(), target.data(), &target_size,
                               ICU_NO_ENCODE)) {
    return std::nullopt;
  }
  target.resize(std::char_traits<char>::length(target.c_str()));
  return target;
}

// For a success, reads at most kMaxVersionFileBytes + 1 bytes of body; other answers keep
// only their status. Each read takes only what has arrived, so a body that trickles in holds
// the worker at most one receive timeout after the check was aborted.
HttpAnswer ReadAnswer(const WinInetFunctions& api, const FetchControl& control, HINTERNET request,
                      int status) {
  HttpAnswer answer;
  answer.status = status;
  if (status < kFirstSuccessStatus || status >= kFirstNonSuccessStatus) return answer;
  char chunk[kReadChunkBytes];
  while (answer.body.size() <= kMaxVersionFileBytes) {
    DWORD available = 0;
    if (control.Aborted() || !api.InternetQueryDataAvailable(request, &available, 0, 0)) return {};
    if (available == 0) break;
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(
        {sizeof(chunk), kMaxVersionFileBytes + 1 - answer.body.size(), available}));
    DWORD read = 0;
    if (control.Aborted() || !api.InternetReadFile(request, chunk, wanted, &read)) return {};
    if (read == 0) break;
    answer.body.append(chunk, std::min<DWORD>(read, wanted));
  }
  return answer;
}

// The WinINet handles of one fetch. Closing a request can take a while (WinINet first drains
// what is left of a body whose length it knows, 10 MiB or more), so they are closed only after
// the outcome is on its way. The request is declared last, so it is closed first.
struct FetchHandles {
  explicit FetchHandles(const WinInetFunctions& api)
      : session(nullptr, InternetCloser{api.InternetCloseHandle}),
        request(nullptr, InternetCloser{api.InternetCloseHandle}) {}

  InternetHandle session;
  InternetHandle request;
};

HttpAnswer Fetch(const WinInetFunctions& api, const FetchControl& control, const std::string& url,
                 std::chrono::milliseconds timeout, FetchHandles& handles) {
  handles.session.reset(
      api.InternetOpenA(kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!handles.session || control.Aborted()) return {};
  SetTimeouts(api, handles.session.get(), timeout);
  std::string address = url;
  for (int redirects = 0;; ++redirects) {
    handles.request.reset();
    handles.request.reset(
        api.InternetOpenUrlA(handles.session.get(), address.c_str(), nullptr, 0, kOpenUrlFlags, 0));
    if (!handles.request || control.Aborted()) return {};
    const std::optional<int> status = StatusOf(api, handles.request.get());
    if (!status) return {};
    if (!IsRedirect(*status) || redirects == kMaxRedirects) {
      return ReadAnswer(api, control, handles.request.get(), *status);
    }
    std::optional<std::string> target = RedirectTarget(api, handles.request.get(), address);
    // A redirect that is not followed leaves its status: the file was not found.
    if (!target || !MayFollowRedirect(address, *target)) return HttpAnswer{*status, {}};
    address = std::move(*target);
  }
}

// Loads WinINet on the first check, here rather than on the window thread; without it the
// check fails as a connection that could not be made. The library stays loaded until the
// handles are closed.
void RunCheck(std::shared_ptr<CheckChannel> channel, std::shared_ptr<FetchControl> control,
              std::shared_ptr<WinInetLoader> loader, std::uint32_t check_id, std::string url,
              std::string running_version, std::chrono::milliseconds timeout) {
  try {
    const std::shared_ptr<const WinInet> wininet = loader->Get();
    if (!wininet) {
      channel->Post(check_id, DecideCheckOutcome({}, running_version));
      return;
    }
    FetchHandles handles(wininet->functions());
    CheckOutcome outcome = DecideCheckOutcome(
        Fetch(wininet->functions(), *control, url, timeout, handles), running_version);
    channel->Post(check_id, std::move(outcome));
  } catch (...) {
    // Still one event per check: report a failed connection, or, should even that fail,
    // leave it to the window thread's deadline.
    try {
      channel->Post(check_id, CheckFailedOutcome{kCheckCouldNotConnect});
    } catch (...) {
    }
  }
}

}  // namespace

Win32WebVersionCheck::Win32WebVersionCheck(HINSTANCE instance, Shell& shell,
                                           std::shared_ptr<WinInetLoader> wininet)
    : shell_(shell),
      wininet_(wininet ? std::move(wininet) : std::make_shared<WinInetLoader>()),
      channel_(std::make_shared<CheckChannel>()) {
  RegisterHiddenWindowClass<Win32WebVersionCheck>(instance, kWindowClass);
  HWND window =
      CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
  if (window == nullptr) {
    // Systems without message-only windows: a hidden top-level window does the same.
    window = CreateWindowExA(0, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                             this);
  }
  window_.reset(window);
  std::lock_guard lock(channel_->mutex);
  channel_->window = window;
}

Win32WebVersionCheck::~Win32WebVersionCheck() {
  *destroyed_ = true;
  {
    std::lock_guard lock(channel_->mutex);
    channel_->window = nullptr;
    channel_->results.clear();
  }
  // Workers keep their own references to the shared state and finish on their own.
  for (auto& [check_id, control] : pending_) control->Abort();
}

void Win32WebVersionCheck::SetTimeout(std::chrono::milliseconds timeout) {
  timeout_ = std::clamp(timeout, kMinCheckTimeout, kMaxCheckTimeout);
}

std::uint32_t Win32WebVersionCheck::NextCheckId() {
  if (++last_check_id_ == 0) ++last_check_id_;  // timer id 0 is not a timer
  return last_check_id_;
}

void Win32WebVersionCheck::CheckForNewVersion() {
  const std::string url_now = url;
  const std::string version_now = version;
  if (!window_) {
    // Without a window no result can come back later; answer now.
    Raise(DecideCheckOutcome({}, version_now));
    return;
  }
  const std::uint32_t check_id = NextCheckId();
  auto control = std::make_shared<FetchControl>();
  pending_[check_id] = control;
  SetTimer(window_.get(), check_id, static_cast<UINT>(timeout_.count()), nullptr);

  if (!ParseVersion(version_now) || !IsHttpAddress(url_now)) {
    // Nothing to fetch: a bad running version or a failed connection, raised like any result.
    channel_->Post(check_id, DecideCheckOutcome({}, version_now));
    return;
  }
  bool started = false;
  try {
    started = StartDetachedThread([channel = channel_, control, loader = wininet_, check_id,
                                   url_now, version_now, timeout = timeout_] {
      RunCheck(channel, control, loader, check_id, url_now, version_now, timeout);
    });
  } catch (...) {
    // Out of memory for the thread's copy of the request: a failed connection, below.
  }
  if (!started) channel_->Post(check_id, CheckFailedOutcome{kCheckCouldNotConnect});
}

LRESULT Win32WebVersionCheck::HandleMessage(HWND window, UINT message, WPARAM wparam,
                                            LPARAM lparam) {
  switch (message) {
    case kResultsPosted:
      OnResultsPosted();
      return 0;
    case WM_TIMER:
      OnDeadline(wparam);
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

void Win32WebVersionCheck::OnResultsPosted() {
  while (auto result = channel_->Take()) {
    if (!Finish(result->first, result->second)) return;
  }
}

void Win32WebVersionCheck::OnDeadline(UINT_PTR timer_id) {
  // A result already queued wins over the deadline.
  const std::shared_ptr<bool> destroyed = destroyed_;
  OnResultsPosted();
  if (*destroyed) return;
  Finish(static_cast<std::uint32_t>(timer_id), CheckFailedOutcome{kCheckCouldNotConnect});
}

bool Win32WebVersionCheck::Finish(std::uint32_t check_id, const CheckOutcome& outcome) {
  const auto it = pending_.find(check_id);
  if (it == pending_.end()) return true;  // already ended by its deadline
  KillTimer(window_.get(), check_id);
  it->second->Abort();
  pending_.erase(it);
  return Raise(outcome);
}

bool Win32WebVersionCheck::Raise(const CheckOutcome& outcome) {
  const std::shared_ptr<bool> destroyed = destroyed_;
  try {
    Deliver([this, destroyed, outcome] {
      if (!*destroyed) RunOutcome(outcome);
    });
  } catch (...) {
    // A failing handler ends its own event only.
  }
  return !*destroyed;
}

void Win32WebVersionCheck::RunOutcome(const CheckOutcome& outcome) {
  if (const auto* found = std::get_if<NewVersionOutcome>(&outcome)) {
    // Only an http or https address ever reaches the shell.
    const std::optional<std::string> address = DownloadToOpen(autolaunchbrowser, found->download);
    // Taken first: the handler may destroy this object.
    Shell& shell = shell_;
    if (auto handler = NewVersionFound) {
      // The file is UTF-8; the program's texts are in the ANSI code page.
      handler(Utf8ToAnsi(found->available), Utf8ToAnsi(found->download),
              Utf8ToAnsi(found->information), std::string());
    }
    if (address) {
      shell.ShellExecute(kNoWindow, "open", *address, std::nullopt, std::nullopt, SW_SHOWNORMAL);
    }
  } else if (const auto* failed = std::get_if<CheckFailedOutcome>(&outcome)) {
    if (auto handler = CheckFailed) handler(failed->code);
  } else if (auto handler = NoNewVersion) {
    handler();
  }
}

}  // namespace ventrix::win32
