// The exported entry points and the class factory: identifiers, result
// codes, reference counts, the live-object count and the trace lines.
#include <vector>

#include "ServerFixture.h"
#include "server/Guids.h"
#include "server/ModuleGlobals.h"
#include "server/ServerEntry.h"

namespace vxtest {
namespace {

using Lines = std::vector<std::string>;

// Something other than null, to see that failures clear the out pointer.
void* const kJunk = reinterpret_cast<void*>(0x5A5A5A5A);

class ClassFactoryTest : public ServerTest {
  protected:
    vx::ComPtr<IClassFactory> NewFactory(REFIID riid = vx::kIidIClassFactory) {
        void* out = kJunk;
        const HRESULT result = vx::DllGetClassObject(vx::kClsidVexaro, riid, &out);
        EXPECT_EQ(result, S_OK);
        return vx::ComPtr<IClassFactory>::Attached(result == S_OK ? static_cast<IClassFactory*>(out)
                                                                  : nullptr);
    }
};

TEST_F(ClassFactoryTest, CanUnloadWhenNothingLivesAndWritesItsLine) {
    EXPECT_EQ(vx::DllCanUnloadNow(), S_OK);
    EXPECT_EQ(debug.lines, Lines{Line("In DLLCanUnloadNow")});
}

TEST_F(ClassFactoryTest, FactoryKeepsTheModuleLoadedUntilItsLastRelease) {
    vx::ComPtr<IClassFactory> factory = NewFactory();
    ASSERT_TRUE(factory);
    EXPECT_EQ(debug.lines, (Lines{Line("In DllGetClassObject"),
                                  Line("CShellExtClassFactory::CShellExtClassFactory()"),
                                  Line("CShellExtClassFactory::QueryInterface()")}));
    EXPECT_EQ(vx::DllCanUnloadNow(), S_FALSE);
    EXPECT_EQ(factory->AddRef(), 2u);
    EXPECT_EQ(factory->Release(), 1u);
    EXPECT_EQ(vx::DllCanUnloadNow(), S_FALSE);
    EXPECT_EQ(ReleaseNow(factory), 0u);
    EXPECT_EQ(vx::DllCanUnloadNow(), S_OK);
}

TEST_F(ClassFactoryTest, ServesIUnknownLikeIClassFactory) {
    vx::ComPtr<IClassFactory> viaUnknown = NewFactory(vx::kIidIUnknown);
    ASSERT_TRUE(viaUnknown);
    EXPECT_EQ(viaUnknown->AddRef(), 2u);
    vx::ComPtr<IClassFactory> again;
    EXPECT_EQ(viaUnknown->QueryInterface(vx::kIidIClassFactory, again.put_void()), S_OK);
    EXPECT_EQ(again.get(), viaUnknown.get());
    EXPECT_EQ(ReleaseNow(again), 2u);
    EXPECT_EQ(viaUnknown->Release(), 1u);
    EXPECT_EQ(ReleaseNow(viaUnknown), 0u);
}

TEST_F(ClassFactoryTest, RefusesOtherClasses) {
    GUID lastByte = vx::kClsidVexaro;
    lastByte.Data4[7] ^= 0x01;
    GUID firstByte = vx::kClsidVexaro;
    firstByte.Data1 ^= 0x01;
    for (const GUID& clsid : {lastByte, firstByte, vx::kIidIClassFactory}) {
        debug.lines.clear();
        void* out = kJunk;
        EXPECT_EQ(vx::DllGetClassObject(clsid, vx::kIidIClassFactory, &out),
                  CLASS_E_CLASSNOTAVAILABLE);
        EXPECT_EQ(out, nullptr);
        EXPECT_EQ(debug.lines, Lines{Line("In DllGetClassObject")});
        EXPECT_EQ(vx::LiveObjectCount, 0u);
    }
}

TEST_F(ClassFactoryTest, EveryCallMakesANewFactory) {
    vx::ComPtr<IClassFactory> first = NewFactory();
    vx::ComPtr<IClassFactory> second = NewFactory();
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(vx::LiveObjectCount, 2u);
    first.reset();
    EXPECT_EQ(vx::LiveObjectCount, 1u);
    EXPECT_EQ(vx::DllCanUnloadNow(), S_FALSE);
    second.reset();
    EXPECT_EQ(vx::DllCanUnloadNow(), S_OK);
}

// A factory that nobody receives is destroyed at once, so the module can
// still be unloaded.
TEST_F(ClassFactoryTest, RefusedFactoryDoesNotStayAlive) {
    void* out = kJunk;
    EXPECT_EQ(vx::DllGetClassObject(vx::kClsidVexaro, vx::kIidIShellExtInit, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(vx::LiveObjectCount, 0u);
    EXPECT_EQ(vx::DllCanUnloadNow(), S_OK);
}

TEST_F(ClassFactoryTest, QueryInterfaceForOtherInterfacesChangesNoCount) {
    vx::ComPtr<IClassFactory> factory = NewFactory();
    debug.lines.clear();
    for (const GUID& iid : {vx::kIidIShellExtInit, vx::kIidIShellPropSheetExt, vx::kClsidVexaro}) {
        void* out = kJunk;
        EXPECT_EQ(factory->QueryInterface(iid, &out), E_NOINTERFACE);
        EXPECT_EQ(out, nullptr);
    }
    EXPECT_EQ(debug.lines, Lines(3, Line("CShellExtClassFactory::QueryInterface()")));
    EXPECT_EQ(ReleaseNow(factory), 0u);
}

TEST_F(ClassFactoryTest, CreateInstanceRefusesAggregation) {
    vx::ComPtr<IClassFactory> factory = NewFactory();
    debug.lines.clear();
    void* out = kJunk;
    EXPECT_EQ(factory->CreateInstance(factory.get(), vx::kIidIShellExtInit, &out),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(debug.lines, Lines{Line("CShellExtClassFactory::CreateInstance()")});
    EXPECT_EQ(vx::LiveObjectCount, 1u);
    factory.reset();
}

TEST_F(ClassFactoryTest, CreateInstanceHandsOutOneReference) {
    vx::ComPtr<IClassFactory> factory = NewFactory();
    vx::ComPtr<IShellPropSheetExt> sheet;
    ASSERT_EQ(factory->CreateInstance(nullptr, vx::kIidIShellPropSheetExt, sheet.put_void()), S_OK);
    EXPECT_EQ(vx::LiveObjectCount, 2u);
    factory.reset();
    // The object does not depend on its factory.
    EXPECT_EQ(vx::DllCanUnloadNow(), S_FALSE);
    EXPECT_EQ(ReleaseNow(sheet), 0u);
    EXPECT_EQ(vx::DllCanUnloadNow(), S_OK);
}

TEST_F(ClassFactoryTest, RefusedExtensionObjectDoesNotStayAlive) {
    vx::ComPtr<IClassFactory> factory = NewFactory();
    debug.lines.clear();
    void* out = kJunk;
    EXPECT_EQ(factory->CreateInstance(nullptr, vx::kIidIClassFactory, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(debug.lines, (Lines{Line("CShellExtClassFactory::CreateInstance()"),
                                  Line("CShellExt::CShellExt()"),
                                  Line("CShellExt::QueryInterface()==>Unknown Interface")}));
    EXPECT_EQ(vx::LiveObjectCount, 1u);
    factory.reset();
    EXPECT_EQ(vx::DllCanUnloadNow(), S_OK);
}

TEST_F(ClassFactoryTest, LockServerIsNotHonoured) {
    vx::ComPtr<IClassFactory> factory = NewFactory();
    debug.lines.clear();
    EXPECT_EQ(factory->LockServer(1), S_OK);
    EXPECT_EQ(factory->LockServer(0), S_OK);
    EXPECT_EQ(factory->LockServer(1), S_OK);
    EXPECT_TRUE(debug.lines.empty());
    EXPECT_EQ(ReleaseNow(factory), 0u);
    EXPECT_EQ(vx::DllCanUnloadNow(), S_OK);
}

TEST_F(ClassFactoryTest, NullOutPointersAreRefused) {
    EXPECT_EQ(vx::DllGetClassObject(vx::kClsidVexaro, vx::kIidIClassFactory, nullptr), E_POINTER);
    EXPECT_EQ(vx::LiveObjectCount, 0u);
    vx::ComPtr<IClassFactory> factory = NewFactory();
    EXPECT_EQ(factory->QueryInterface(vx::kIidIUnknown, nullptr), E_POINTER);
    EXPECT_EQ(factory->CreateInstance(nullptr, vx::kIidIShellExtInit, nullptr), E_POINTER);
    EXPECT_EQ(vx::LiveObjectCount, 1u);
    EXPECT_EQ(ReleaseNow(factory), 0u);
}

}  // namespace
}  // namespace vxtest
