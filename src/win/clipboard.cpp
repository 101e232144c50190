#include "win/clipboard.h"

#include "win/handle.h"

#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

namespace win {

ClipboardSession::ClipboardSession(HWND owner, int attempts) {
    for (int attempt = 0; attempt < attempts && !open_; ++attempt) {
        open_ = ::OpenClipboard(owner) != FALSE;
        if (!open_) ::Sleep(10);
    }
}

ClipboardSession::~ClipboardSession() {
    if (open_) ::CloseClipboard();
}

namespace {

UniqueGlobalMemory GlobalCopy(const void* data, std::size_t size) {
    UniqueGlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, size));
    if (!memory) return memory;
    void* target = ::GlobalLock(memory.get());
    if (!target) return {};
    std::memcpy(target, data, size);
    ::GlobalUnlock(memory.get());
    return memory;
}

// The clipboard owns what it was given; on failure the memory is ours to free.
bool Hand(UINT format, UniqueGlobalMemory memory) {
    if (!memory || !::SetClipboardData(format, memory.get())) return false;
    memory.release();
    return true;
}

UniqueGlobalMemory DropEffectMemory(DWORD effect) { return GlobalCopy(&effect, sizeof effect); }

UniqueGlobalMemory FilesAsDrop(const std::vector<std::wstring>& paths) {
    // DROPFILES, then each path and its zero, then one more zero.
    std::vector<wchar_t> names;
    for (const std::wstring& path : paths) names.insert(names.end(), path.c_str(), path.c_str() + path.size() + 1);
    names.push_back(L'\0');
    std::vector<unsigned char> drop(sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = TRUE;
    std::memcpy(drop.data(), &header, sizeof header);
    std::memcpy(drop.data() + sizeof header, names.data(), names.size() * sizeof(wchar_t));
    return GlobalCopy(drop.data(), drop.size());
}

}  // namespace

bool PutFilesOnClipboard(HWND owner, const std::vector<std::wstring>& paths) {
    const ClipboardSession clipboard(owner);
    if (!clipboard || !::EmptyClipboard()) return false;
    return Hand(CF_HDROP, FilesAsDrop(paths)) && Hand(DropEffectFormat(), DropEffectMemory(DROPEFFECT_COPY));
}

namespace {

// The source side of a drag: it goes on while the left button is held and ends on Esc. Lives on
// the stack of DragFiles, which outlives the drag.
class DropSource final : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == IID_IUnknown || id == IID_IDropSource) {
            *object = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape) return DRAGDROP_S_CANCEL;
        return (keys & (MK_LBUTTON | MK_RBUTTON)) ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

bool SetGlobal(IDataObject& data, UINT format, UniqueGlobalMemory memory) {
    if (!memory) return false;
    FORMATETC type{static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = memory.get();
    if (FAILED(data.SetData(&type, &medium, TRUE))) return false;
    memory.release();  // the data object owns it now
    return true;
}

}  // namespace

DWORD DragFiles(const std::vector<std::wstring>& paths) {
    void* object = nullptr;
    if (paths.empty() || FAILED(::SHCreateDataObject(nullptr, 0, nullptr, nullptr, IID_IDataObject, &object))) return DROPEFFECT_NONE;
    const UniqueComPtr<IDataObject> data(static_cast<IDataObject*>(object));
    if (!SetGlobal(*data, CF_HDROP, FilesAsDrop(paths))) return DROPEFFECT_NONE;
    DropSource source;
    DWORD effect = DROPEFFECT_NONE;
    if (::DoDragDrop(data.get(), &source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect) != DRAGDROP_S_DROP)
        return DROPEFFECT_NONE;
    return effect;
}

bool PutTextOnClipboard(HWND owner, const std::wstring& text) {
    const ClipboardSession clipboard(owner);
    if (!clipboard || !::EmptyClipboard()) return false;
    return Hand(CF_UNICODETEXT, GlobalCopy(text.c_str(), (text.size() + 1) * sizeof(wchar_t)));
}

std::vector<std::wstring> FilesOfDrop(HDROP drop) {
    std::vector<std::wstring> paths(::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0));
    for (UINT i = 0; i < paths.size(); ++i) {
        paths[i].resize(::DragQueryFileW(drop, i, nullptr, 0));
        ::DragQueryFileW(drop, i, paths[i].data(), static_cast<UINT>(paths[i].size() + 1));
    }
    return paths;
}

UINT DropEffectFormat() { return ::RegisterClipboardFormatW(CFSTR_PREFERREDDROPEFFECT); }

void AcceptDroppedFiles(HWND window) { ::DragAcceptFiles(window, TRUE); }

std::vector<std::wstring> TakeDroppedFiles(WPARAM drop) {
    const auto handle = reinterpret_cast<HDROP>(drop);
    std::vector<std::wstring> paths = FilesOfDrop(handle);
    ::DragFinish(handle);
    return paths;
}

}  // namespace win
