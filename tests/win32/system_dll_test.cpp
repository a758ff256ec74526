// The loader of the system DLLs that Mirel uses after start-up.
#include "platform/system_dll.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/files.h"

namespace mirel {
namespace {

std::wstring ModulePath(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(module, path, MAX_PATH);
  return path;
}

std::wstring Lower(std::wstring text) {
  for (auto& c : text) c = static_cast<wchar_t>(towlower(c));
  return text;
}

// mirelplanted.dll lies beside this test exe, as a planted DLL would lie beside Mirel.exe.
TEST(SystemDll, ADllBesideTheExeIsNeverLoadedByName) {
  const std::wstring planted = BesideExe(ExeFolder(), L"mirelplanted.dll");
  // The file itself loads when asked for by its full path: the test can fail.
  const HMODULE byPath = LoadLibraryExW(planted.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  ASSERT_NE(byPath, nullptr);
  FreeLibrary(byPath);
  ASSERT_EQ(GetModuleHandleW(L"mirelplanted.dll"), nullptr);

  // By name it is found neither by the loader nor by a plain LoadLibrary after start-up.
  EXPECT_EQ(FindSystemFunction(L"mirelplanted.dll", "Planted"), nullptr);
  EXPECT_EQ(LoadLibraryW(L"mirelplanted.dll"), nullptr);
  EXPECT_EQ(GetModuleHandleW(L"mirelplanted.dll"), nullptr);
}

TEST(SystemDll, FunctionsComeFromTheSystemFolder) {
  wchar_t system[MAX_PATH] = {};
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
  const struct {
    const wchar_t* dll;
    const char* function;
  } uses[] = {{L"shell32.dll", "Shell_NotifyIconW"},
              {L"comdlg32.dll", "ChooseColorW"},
              {L"ole32.dll", "CoCreateInstance"},
              {L"windowscodecs.dll", "WICConvertBitmapSource"}};
  for (const auto& use : uses) {
    SCOPED_TRACE(use.function);
    ASSERT_NE(FindSystemFunction(use.dll, use.function), nullptr);
    const HMODULE module = GetModuleHandleW(use.dll);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(Lower(ModulePath(module)), Lower(std::wstring(system) + L"\\" + use.dll));
  }
  EXPECT_EQ(FindSystemFunction(L"shell32.dll", "NoSuchFunctionAnywhere"), nullptr);
}

// The windows' thread and the pictures' ask for the same functions: many threads at once
// find the function, and it is looked up (its DLL loaded) once.
TEST(SystemDll, AFunctionAskedForByManyThreadsAtOnceIsLookedUpOnce) {
  constexpr const wchar_t* kDll = L"msimg32.dll";  // used by nothing else here
  ASSERT_EQ(GetModuleHandleW(kDll), nullptr);
  SystemFunction<decltype(::AlphaBlend)> function(kDll, "AlphaBlend");
  std::atomic<bool> go{false};
  std::atomic<int> found{0};
  std::vector<std::thread> threads;
  for (int i = 0; i < 8; ++i)
    threads.emplace_back([&] {
      while (!go) std::this_thread::yield();
      if (function.get()) ++found;
    });
  go = true;
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(found, 8);
  int loads = 0;
  for (HMODULE module; loads < 100 && (module = GetModuleHandleW(kDll)) != nullptr; ++loads) FreeLibrary(module);
  EXPECT_EQ(loads, 1);
}

// Each typed call reaches the real function: a wrong stack size or calling convention
// would crash the i686 build here.
TEST(SystemDll, TypedCallsReachTheRealFunctions) {
  EXPECT_EQ(sys::DragQueryFile(nullptr, 0xFFFFFFFF, nullptr, 0), 0u);
  IUnknown* object = reinterpret_cast<IUnknown*>(1);
  EXPECT_TRUE(FAILED(sys::CoCreateInstance(GUID_NULL, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                           reinterpret_cast<void**>(&object))));
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(sys::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);  // already up on this thread
  NOTIFYICONDATAW icon{};
  icon.cbSize = sizeof icon;
  EXPECT_FALSE(sys::NotifyIcon(NIM_DELETE, &icon));  // no such icon
}

}  // namespace
}  // namespace mirel
