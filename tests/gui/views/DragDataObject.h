// A platform data object for drag tests: it offers the byte blocks the test gives it, each in
// one clipboard format, and counts its references.
#pragma once

#include <ole2.h>
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace dragtest {

class DragDataObject : public IDataObject {
  public:
    DragDataObject() = default;
    virtual ~DragDataObject();

    void offerText(const std::string& text);
    // A DROPFILES block with the paths in the platform's narrow character set.
    void offerFiles(const std::vector<std::string>& paths);
    // GetData hands out the object's own block with itself as the release object, instead of
    // a copy that the caller frees.
    void keepBlocks(bool value) { keepOwnBlocks = value; }
    // The next count GetData calls fail, as data whose source is busy.
    void refuseData(int count) { refusals = count; }
    ULONG references() const { return referenceCount; }

    STDMETHODIMP QueryInterface(REFIID riid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++referenceCount; }
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* format) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override;
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

  private:
    bool offers(const FORMATETC* format) const;
    HGLOBAL blockFor(CLIPFORMAT format);

    ULONG referenceCount = 1;
    bool keepOwnBlocks = false;
    int refusals = 0;
    std::map<CLIPFORMAT, std::vector<char>> blocks;
    std::map<CLIPFORMAT, HGLOBAL> ownBlocks;
};

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
// Holds the test's own reference.
using DataObjectHolder = std::unique_ptr<DragDataObject, ComRelease>;

inline DataObjectHolder makeDataObject() { return DataObjectHolder(new DragDataObject); }

}  // namespace dragtest
