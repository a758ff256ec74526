// The end-to-end driver: looks at Mirel's windows from outside the process and reports
// them as JSON lines, or posts a message to one of them.
//
//   probe windows            every top-level window of interest
//   probe metrics            screen size and frame metrics
//   probe foreground         the foreground window, whoever owns it
//   probe post CLASS MSG WPARAM LPARAM
//   probe process PID        GDI/USER objects, handles, working set, CPU time
//   probe ping CLASS         whether that window answers a message within 5 seconds
//   probe hold SECONDS       a window of its own in front for that long, then the modifier
//                            keys as it sees them (a key left "held" is a stuck key) and
//                            whether one was down when it lost the keyboard
//   probe intrude SECONDS    another program at work: its own window activated, another put
//                            in the topmost band, every window minimised, then a program
//                            started that opens a window (probe open), for that long
//   probe open SECONDS       a program's first window, shown as it starts, for that long
//   probe reraise SECONDS [visible]
//                            a topmost window, fully transparent unless `visible`, that puts
//                            itself back on top every 10 ms for that long
//   probe hang SECONDS       a window of its own put in front, then no message pumped for that long
//   probe menus CLASS        from inside the thread of that window (probe_hook.dll): each of
//                            its windows' menu bar and menus, tab pages and combo box items,
//                            and the popup menu open, if any
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::string Json(const std::wstring& text) {
  std::string out = "\"";
  for (const char c : Utf8(text)) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned char>(c));
      out += buffer;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[256] = {};
  GetClassNameW(hwnd, name, 255);
  return name;
}

// Reads the text the system keeps for the window: no message is sent, so a busy or hung
// program cannot stall the probe.
std::wstring TextOf(HWND hwnd) {
  wchar_t text[1024] = {};
  const int length = InternalGetWindowText(hwnd, text, 1024);
  return std::wstring(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

void Emit(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
}

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
  auto* texts = reinterpret_cast<std::vector<std::wstring>*>(param);
  const std::wstring cls = ClassOf(child);
  std::wstring text = TextOf(child);
  if (text.empty() && cls == L"msctls_statusbar32") {
    // A status bar keeps its text itself; WM_GETTEXT (marshalled across processes) asks it.
    wchar_t buffer[1024] = {};
    DWORD_PTR length = 0;
    if (SendMessageTimeoutW(child, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000, &length))
      text.assign(buffer, static_cast<std::size_t>(length));
  }
  if (!text.empty()) texts->push_back(cls + L":" + text);
  return TRUE;
}

BOOL CALLBACK ReportWindow(HWND hwnd, LPARAM) {
  const std::wstring cls = ClassOf(hwnd);
  const bool ours = cls.rfind(L"Mirel", 0) == 0 || cls == L"#32770" || cls == L"#32768" || cls == L"HH Parent";
  if (!ours) return TRUE;
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  RECT client{};
  GetClientRect(hwnd, &client);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  const LONG exStyle = GetWindowLongW(hwnd, GWL_EXSTYLE);
  std::vector<std::wstring> texts;
  EnumChildWindows(hwnd, CollectChild, reinterpret_cast<LPARAM>(&texts));
  char buffer[512];
  std::snprintf(buffer, sizeof buffer,
                "\"hwnd\": %llu, \"pid\": %lu, \"visible\": %s, \"topmost\": %s, \"enabled\": %s, \"style\": %ld, "
                "\"exstyle\": %ld, \"rect\": [%ld, %ld, %ld, %ld], \"client\": [%ld, %ld, %ld, %ld], "
                "\"foreground\": %s",
                static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hwnd)), static_cast<unsigned long>(pid),
                IsWindowVisible(hwnd) ? "true" : "false", (exStyle & WS_EX_TOPMOST) ? "true" : "false",
                IsWindowEnabled(hwnd) ? "true" : "false", static_cast<long>(style), static_cast<long>(exStyle),
                rect.left, rect.top, rect.right, rect.bottom, origin.x, origin.y, origin.x + client.right,
                origin.y + client.bottom, GetForegroundWindow() == hwnd ? "true" : "false");
  std::string line =
      "{\"class\": " + Json(cls) + ", \"title\": " + Json(TextOf(hwnd)) + ", " + buffer + ", \"texts\": [";
  for (std::size_t i = 0; i < texts.size(); ++i) line += (i ? ", " : "") + Json(texts[i]);
  Emit(line + "]}");
  return TRUE;
}

int Metrics() {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer,
                "{\"screen\": [%d, %d], \"caption\": %d, \"menu\": %d, \"frame\": [%d, %d], \"border\": [%d, %d], "
                "\"acp\": %u}",
                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), GetSystemMetrics(SM_CYCAPTION),
                GetSystemMetrics(SM_CYMENU), GetSystemMetrics(SM_CXSIZEFRAME), GetSystemMetrics(SM_CYSIZEFRAME),
                GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER), GetACP());
  Emit(buffer);
  return 0;
}

int Post(const wchar_t* cls, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND target = FindWindowW(cls, nullptr);
  if (!target) {
    Emit("{\"error\": \"no such window\"}");
    return 1;
  }
  return PostMessageW(target, message, wParam, lParam) ? 0 : 1;
}

int Ping(const wchar_t* cls) {
  HWND target = FindWindowW(cls, nullptr);
  DWORD_PTR result = 0;
  const bool answered =
      target && SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, 5000, &result) != 0;
  Emit(std::string("{\"window\": ") + (target ? "true" : "false") + ", \"answered\": " + (answered ? "true" : "false") +
       "}");
  return 0;
}

int Process(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) {
    Emit("{\"error\": \"cannot open process\"}");
    return 1;
  }
  DWORD handles = 0;
  GetProcessHandleCount(process, &handles);
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process, &memory, sizeof memory);
  FILETIME created{}, exited{}, kernel{}, user{};
  GetProcessTimes(process, &created, &exited, &kernel, &user);
  auto hundredNs = [](const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  char buffer[512];
  std::snprintf(
      buffer, sizeof buffer, "{\"gdi\": %lu, \"user\": %lu, \"handles\": %lu, \"working_set\": %llu, \"cpu_ms\": %.3f}",
      static_cast<unsigned long>(GetGuiResources(process, GR_GDIOBJECTS)),
      static_cast<unsigned long>(GetGuiResources(process, GR_USEROBJECTS)), static_cast<unsigned long>(handles),
      static_cast<unsigned long long>(memory.WorkingSetSize), (hundredNs(kernel) + hundredNs(user)) / 10000.0);
  Emit(buffer);
  CloseHandle(process);
  return 0;
}

// Windows of this program, white, with a message loop for `seconds`.
HWND OwnWindow(DWORD exStyle, int x, int y, int width, int height, DWORD style = WS_POPUP | WS_VISIBLE) {
  static const bool registered = [] {
    WNDCLASSW cls{};
    cls.lpfnWndProc = DefWindowProcW;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    cls.lpszClassName = L"MirelProbe";
    return RegisterClassW(&cls) != 0;
  }();
  (void)registered;
  return CreateWindowExW(exStyle, L"MirelProbe", L"probe", style, x, y, width, height, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

void RunMessages(double seconds) {
  const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  MSG msg;
  while (GetTickCount64() < until) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

int Hold(double seconds) {
  const HWND own = OwnWindow(0, 100, 100, 400, 300);
  SetForegroundWindow(own);
  // The moment the keyboard goes to another window, whether a modifier key is down: this
  // program would never see it go up.
  const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  bool lost = false;
  bool lostWhileHeld = false;
  while (GetTickCount64() < until) {
    RunMessages(0.01);
    if (lost || GetForegroundWindow() == own) continue;
    lost = true;
    for (const int key : {VK_CONTROL, VK_SHIFT, VK_MENU})
      if (GetAsyncKeyState(key) & 0x8000) lostWhileHeld = true;
  }
  const auto held = [](int key) { return (GetKeyState(key) & 0x8000) ? "true" : "false"; };
  Emit(std::string("{\"control\": ") + held(VK_CONTROL) + ", \"shift\": " + held(VK_SHIFT) +
       ", \"alt\": " + held(VK_MENU) + ", \"lost_while_held\": " + (lostWhileHeld ? "true" : "false") + "}");
  return 0;
}

// Every window of the other programs, the shell's own (the taskbar, the desktop) excepted,
// as Windows' "minimise all" leaves them.
BOOL CALLBACK MinimiseOthers(HWND window, LPARAM shell) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != GetCurrentProcessId() && pid != static_cast<DWORD>(shell) && IsWindowVisible(window))
    ShowWindow(window, SW_MINIMIZE);
  return TRUE;
}

int Intrude(double seconds) {
  const HWND own = OwnWindow(0, 50, 50, 500, 400);
  SetForegroundWindow(own);
  RunMessages(0.3);
  OwnWindow(WS_EX_TOPMOST, 300, 200, 300, 300);
  RunMessages(0.3);
  DWORD shell = 0;
  HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  GetWindowThreadProcessId(taskbar ? taskbar : GetShellWindow(), &shell);
  EnumWindows(MinimiseOthers, static_cast<LPARAM>(shell));
  RunMessages(0.3);
  // A program that was not running when the cover came up: its first window, framed as
  // programs' windows are, shown at the bottom right as it starts.
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\" open " + std::to_wstring(seconds);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION opened{};
  if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &opened)) {
    CloseHandle(opened.hThread);
    CloseHandle(opened.hProcess);
  }
  RunMessages(seconds);
  return 0;
}

int Open(double seconds) {
  OwnWindow(0, 600, 450, 350, 250, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  RunMessages(seconds);
  return 0;
}

int Reraise(double seconds, bool visible) {
  // Shown once it is transparent, without taking the keyboard, as overlays are.
  const HWND own =
      OwnWindow(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | (visible ? 0 : WS_EX_LAYERED), 200, 150, 400, 300, WS_POPUP);
  if (!visible) SetLayeredWindowAttributes(own, 0, 0, LWA_ALPHA);
  const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  while (GetTickCount64() < until) {
    SetWindowPos(own, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    RunMessages(0.01);
  }
  return 0;
}

int Hang(double seconds) {
  const HWND own = OwnWindow(0, 100, 100, 400, 300);
  RunMessages(0.3);
  SetForegroundWindow(own);
  Emit("{\"hanging\": true}");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(seconds * 1000));
  return 0;
}

std::wstring gReply;

LRESULT CALLBACK ReplyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    gReply.assign(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
    return TRUE;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The hook DLL lies beside the probe; the system loads it into the window's process and calls
// it there for the message sent below, and it sends its report back to a window of ours.
int Menus(const wchar_t* cls) {
  HWND target = FindWindowW(cls, nullptr);
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dll(path);
  dll = dll.substr(0, dll.find_last_of(L"\\/") + 1) + L"probe_hook.dll";
  HMODULE module = LoadLibraryW(dll.c_str());
  const auto proc =
      module ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(module, "ProbeHook"))) : nullptr;
  if (!target || !proc) {
    Emit(target ? "{\"error\": \"no probe_hook.dll\"}" : "{\"error\": \"no such window\"}");
    return 1;
  }
  WNDCLASSW reply{};
  reply.lpfnWndProc = ReplyProc;
  reply.hInstance = GetModuleHandleW(nullptr);
  reply.lpszClassName = L"MirelProbeReply";
  RegisterClassW(&reply);
  HWND own =
      CreateWindowExW(0, L"MirelProbeReply", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, reply.hInstance, nullptr);
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, proc, module, GetWindowThreadProcessId(target, nullptr));
  DWORD_PTR result = 0;
  const bool answered = hook && SendMessageTimeoutW(target, RegisterWindowMessageW(L"MirelProbeMenus"),
                                                    reinterpret_cast<WPARAM>(own), 0, SMTO_ABORTIFHUNG, 5000, &result);
  if (hook) UnhookWindowsHookEx(hook);
  if (!answered || gReply.empty()) {
    Emit("{\"error\": \"no answer\"}");
    return 1;
  }
  std::size_t start = 0;
  for (std::size_t end; (end = gReply.find(L'\n', start)) != std::wstring::npos; start = end + 1)
    Emit(Utf8(gReply.substr(start, end - start)));
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"windows";
  int code = 2;
  if (command == L"windows") {
    EnumWindows(ReportWindow, 0);
    code = 0;
  } else if (command == L"foreground") {
    HWND fg = GetForegroundWindow();
    DWORD pid = 0;
    GetWindowThreadProcessId(fg, &pid);
    Emit("{\"class\": " + Json(fg ? ClassOf(fg) : L"") + ", \"title\": " + Json(fg ? TextOf(fg) : L"") +
         ", \"pid\": " + std::to_string(pid) + "}");
    code = 0;
  } else if (command == L"metrics") {
    code = Metrics();
  } else if (command == L"post" && argc == 6) {
    code = Post(argv[2], static_cast<UINT>(wcstoul(argv[3], nullptr, 0)),
                static_cast<WPARAM>(wcstoull(argv[4], nullptr, 0)), static_cast<LPARAM>(wcstoll(argv[5], nullptr, 0)));
  } else if (command == L"ping" && argc == 3) {
    code = Ping(argv[2]);
  } else if (command == L"hold" && argc == 3) {
    code = Hold(_wtof(argv[2]));
  } else if (command == L"intrude" && argc == 3) {
    code = Intrude(_wtof(argv[2]));
  } else if (command == L"reraise" && (argc == 3 || argc == 4)) {
    code = Reraise(_wtof(argv[2]), argc == 4 && std::wstring(argv[3]) == L"visible");
  } else if (command == L"open" && argc == 3) {
    code = Open(_wtof(argv[2]));
  } else if (command == L"hang" && argc == 3) {
    code = Hang(_wtof(argv[2]));
  } else if (command == L"menus" && argc == 3) {
    code = Menus(argv[2]);
  } else if (command == L"process" && argc == 3) {
    code = Process(static_cast<DWORD>(wcstoul(argv[2], nullptr, 0)));
  }
  std::fflush(stdout);
  return code;
}
