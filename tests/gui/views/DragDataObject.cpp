#include "gui/views/DragDataObject.h"

#include <shlobj.h>

#include <cstring>

namespace dragtest {

DragDataObject::~DragDataObject() {
    for (auto& entry : ownBlocks) GlobalFree(entry.second);
}

void DragDataObject::offerText(const std::string& text) {
    blocks[CF_TEXT].assign(text.begin(), text.end());
}

void DragDataObject::offerFiles(const std::vector<std::string>& paths) {
    std::vector<char> block(sizeof(DROPFILES), 0);
    auto* header = reinterpret_cast<DROPFILES*>(block.data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = FALSE;
    for (const auto& path : paths) {
        block.insert(block.end(), path.begin(), path.end());
        block.push_back(0);
    }
    block.push_back(0);
    blocks[CF_HDROP] = block;
}

STDMETHODIMP DragDataObject::QueryInterface(REFIID riid, void** out) {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
        *out = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) DragDataObject::Release() {
    const ULONG left = --referenceCount;
    if (left == 0) delete this;
    return left;
}

bool DragDataObject::offers(const FORMATETC* format) const {
    return format && (format->tymed & TYMED_HGLOBAL) && format->dwAspect == DVASPECT_CONTENT &&
           blocks.count(format->cfFormat) != 0;
}

HGLOBAL DragDataObject::blockFor(CLIPFORMAT format) {
    const std::vector<char>& bytes = blocks[format];
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!block) return nullptr;
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

STDMETHODIMP DragDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (!offers(format)) return DV_E_FORMATETC;
    if (refusals > 0) {
        --refusals;
        return E_FAIL;
    }
    medium->tymed = TYMED_HGLOBAL;
    medium->pUnkForRelease = nullptr;
    if (!keepOwnBlocks) {
        medium->hGlobal = blockFor(format->cfFormat);
        return medium->hGlobal ? S_OK : E_OUTOFMEMORY;
    }
    HGLOBAL& own = ownBlocks[format->cfFormat];
    if (!own) own = blockFor(format->cfFormat);
    medium->hGlobal = own;
    medium->pUnkForRelease = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP DragDataObject::QueryGetData(FORMATETC* format) {
    return offers(format) ? S_OK : DV_E_FORMATETC;
}

STDMETHODIMP DragDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
}

}  // namespace dragtest
