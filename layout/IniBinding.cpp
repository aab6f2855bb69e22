#include "layout/IniBinding.h"

#include "layout/Mask.h"
#include "store/LayoutStore.h"

namespace vx {

namespace {
constexpr int kRead = 1;
}

int ReadIniBinding(CLayoutStore& store, const char* entryName, IniBinding* binding) {
    CString andMask;
    CString orMask;
    if (!store.AssociationValue(entryName, "INIFile", binding->file, kRead) ||
        !store.AssociationValue(entryName, "Section", binding->section, kRead) ||
        !store.AssociationValue(entryName, "KeyString", binding->key, kRead) ||
        !store.AssociationValue(entryName, "AndMask", andMask, kRead) ||
        !store.AssociationValue(entryName, "OrMask", orMask, kRead)) {
        return 0;
    }
    binding->andMask = MaskOf(andMask);
    binding->orMask = MaskOf(orMask);
    return 1;
}

int ReadDefaultState(CLayoutStore& store, const char* entryName) {
    CString text;
    return store.AssociationValue(entryName, "Default", text, kRead) && text == "On" ? 1 : 0;
}

}  // namespace vx
