#pragma once
// One move-only owner for every kind of Win32 handle; the traits say what "empty" is and how to let go.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <memory>
#include <utility>

namespace win {

template <class Traits>
class UniqueHandle {
public:
    using value_type = typename Traits::type;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(value_type value) noexcept : value_(value) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : value_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    value_type get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Traits::invalid(); }

    value_type release() noexcept { return std::exchange(value_, Traits::invalid()); }
    void reset(value_type value = Traits::invalid()) noexcept {
        if (value_ != Traits::invalid()) Traits::close(value_);
        value_ = value;
    }

private:
    value_type value_ = Traits::invalid();
};

struct KernelHandleTraits {
    using type = HANDLE;
    static type invalid() noexcept { return nullptr; }
    static void close(type h) noexcept { ::CloseHandle(h); }
};
struct FileHandleTraits {
    using type = HANDLE;
    static type invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(type h) noexcept { ::CloseHandle(h); }
};
struct FindHandleTraits {
    using type = HANDLE;
    static type invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(type h) noexcept { ::FindClose(h); }
};
struct GlobalMemoryTraits {
    using type = HGLOBAL;
    static type invalid() noexcept { return nullptr; }
    static void close(type h) noexcept { ::GlobalFree(h); }
};
struct MenuTraits {
    using type = HMENU;
    static type invalid() noexcept { return nullptr; }
    static void close(type h) noexcept { ::DestroyMenu(h); }
};
struct GdiObjectTraits {
    using type = HGDIOBJ;
    static type invalid() noexcept { return nullptr; }
    static void close(type h) noexcept { ::DeleteObject(h); }
};
struct IconTraits {
    using type = HICON;
    static type invalid() noexcept { return nullptr; }
    static void close(type h) noexcept { ::DestroyIcon(h); }
};
struct ImageListTraits {
    using type = HIMAGELIST;
    static type invalid() noexcept { return nullptr; }
    static void close(type h) noexcept { ::ImageList_Destroy(h); }
};
struct WindowTraits {
    using type = HWND;
    static type invalid() noexcept { return nullptr; }
    static void close(type h) noexcept { ::DestroyWindow(h); }
};
struct ModuleTraits {
    using type = HMODULE;
    static type invalid() noexcept { return nullptr; }
    static void close(type h) noexcept { ::FreeLibrary(h); }
};

struct RegistryKeyTraits {
    using type = HKEY;
    static type invalid() noexcept { return nullptr; }
    static void close(type h) noexcept { ::RegCloseKey(h); }
};

// Memory the shell hands over, freed with CoTaskMemFree.
struct CoTaskMemoryDeleter {
    void operator()(void* memory) const noexcept { ::CoTaskMemFree(memory); }
};
template <typename T>
using UniqueCoTaskMemory = std::unique_ptr<T, CoTaskMemoryDeleter>;

// A COM interface pointer that is released when its owner goes.
struct ComReleaser {
    void operator()(IUnknown* object) const noexcept { object->Release(); }
};
template <typename T>
using UniqueComPtr = std::unique_ptr<T, ComReleaser>;

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueGlobalMemory = UniqueHandle<GlobalMemoryTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueImageList = UniqueHandle<ImageListTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;

struct MemoryDcTraits {
    using type = HDC;
    static HDC invalid() { return nullptr; }
    static void close(HDC dc) { ::DeleteDC(dc); }
};
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;

// A window's device context (the screen's for no window), released when it goes.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~WindowDc() { ::ReleaseDC(window_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects an object into a device context for the life of this guard.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~SelectedObject() { ::SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace win
