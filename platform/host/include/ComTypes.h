// COM and shell types of the in-process server, for the host build. The
// same names as the Windows headers give them, with the same slot order of
// every interface, so that the server's logic compiles unchanged on both
// backends.
#pragma once

#include <cstdint>

#define STDMETHODCALLTYPE
#define CALLBACK

typedef int32_t HRESULT;
typedef uint32_t ULONG;
typedef int BOOL;
typedef unsigned int UINT;
typedef intptr_t LPARAM;

struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};
typedef GUID IID;
typedef GUID CLSID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;

struct HKEY__;
typedef HKEY__* HKEY;
struct _ITEMIDLIST;
typedef const _ITEMIDLIST* PCIDLIST_ABSOLUTE;
struct _PSP;
typedef _PSP* HPROPSHEETPAGE;
typedef BOOL(CALLBACK* LPFNADDPROPSHEETPAGE)(HPROPSHEETPAGE, LPARAM);
typedef LPFNADDPROPSHEETPAGE LPFNSVADDPROPSHEETPAGE;
typedef UINT EXPPS;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);

struct IUnknown {
    virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppvObject) = 0;
    virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
    virtual ULONG STDMETHODCALLTYPE Release() = 0;
};

struct IClassFactory : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid,
                                                     void** ppvObject) = 0;
    virtual HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) = 0;
};

// Only held and released by the server: its own operations are not needed.
struct IDataObject : public IUnknown {};

struct IShellExtInit : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Initialize(PCIDLIST_ABSOLUTE pidlFolder, IDataObject* pdtobj,
                                                 HKEY hkeyProgID) = 0;
};

struct IShellPropSheetExt : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE AddPages(LPFNSVADDPROPSHEETPAGE pfnAddPage,
                                               LPARAM lParam) = 0;
    virtual HRESULT STDMETHODCALLTYPE ReplacePage(EXPPS uPageID,
                                                  LPFNSVADDPROPSHEETPAGE pfnReplaceWith,
                                                  LPARAM lParam) = 0;
};
