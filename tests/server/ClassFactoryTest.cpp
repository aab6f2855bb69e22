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
    IClassFactory* NewFactory(REFIID riid = vx::kIidIClassFactory) {
        void* out = kJunk;
        EXPECT_EQ(vx::DllGetClassObject(vx::kClsidVexaro, riid, &out), S_OK);
        return static_cast<IClassFactory*>(out);
    }
};

TEST_F(ClassFactoryTest, CanUnloadWhenNothingLivesAndWritesItsLine) {
    EXPECT_EQ(vx::DllCanUnloadNow(), S_OK);
    EXPECT_EQ(debug.lines, Lines{Line("In DLLCanUnloadNow")});
}

TEST_F(ClassFactoryTest, FactoryKeepsTheModuleLoadedUntilItsLastRelease) {
    IClassFactory* factory = NewFactory();
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(debug.lines, (Lines{Line("In DllGetClassObject"),
                                  Line("CShellExtClassFactory::CShellExtClassFactory()"),
                                  Line("CShellExtClassFactory::QueryInterface()")}));
    EXPECT_EQ(vx::DllCanUnloadNow(), S_FALSE);
    EXPECT_EQ(factory->AddRef(), 2u);
    EXPECT_EQ(factory->Release(), 1u);
    EXPECT_EQ(vx::DllCanUnloadNow(), S_FALSE);
    EXPECT_EQ(factory->Release(), 0u);
    EXPECT_EQ(vx::DllCanUnloadNow(), S_OK);
}

TEST_F(ClassFactoryTest, ServesIUnknownLikeIClassFactory) {
    IClassFactory* viaUnknown = NewFactory(vx::kIidIUnknown);
    ASSERT_NE(viaUnknown, nullptr);
    EXPECT_EQ(viaUnknown->AddRef(), 2u);
    void* again = nullptr;
    EXPECT_EQ(viaUnknown->QueryInterface(vx::kIidIClassFactory, &again), S_OK);
    EXPECT_EQ(again, viaUnknown);
    EXPECT_EQ(viaUnknown->Release(), 2u);
    EXPECT_EQ(viaUnknown->Release(), 1u);
    EXPECT_EQ(viaUnknown->Release(), 0u);
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
    IClassFactory* first = NewFactory();
    IClassFactory* second = NewFactory();
    EXPECT_NE(first, second);
    EXPECT_EQ(vx::LiveObjectCount, 2u);
    first->Release();
    EXPECT_EQ(vx::LiveObjectCount, 1u);
    EXPECT_EQ(vx::DllCanUnloadNow(), S_FALSE);
    second->Release();
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
    IClassFactory* factory = NewFactory();
    debug.lines.clear();
    for (const GUID& iid : {vx::kIidIShellExtInit, vx::kIidIShellPropSheetExt, vx::kClsidVexaro}) {
        void* out = kJunk;
        EXPECT_EQ(factory->QueryInterface(iid, &out), E_NOINTERFACE);
        EXPECT_EQ(out, nullptr);
    }
    EXPECT_EQ(debug.lines, Lines(3, Line("CShellExtClassFactory::QueryInterface()")));
    EXPECT_EQ(factory->Release(), 0u);
}

TEST_F(ClassFactoryTest, CreateInstanceRefusesAggregation) {
    IClassFactory* factory = NewFactory();
    debug.lines.clear();
    void* out = kJunk;
    EXPECT_EQ(factory->CreateInstance(factory, vx::kIidIShellExtInit, &out), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(debug.lines, Lines{Line("CShellExtClassFactory::CreateInstance()")});
    EXPECT_EQ(vx::LiveObjectCount, 1u);
    factory->Release();
}

TEST_F(ClassFactoryTest, CreateInstanceHandsOutOneReference) {
    IClassFactory* factory = NewFactory();
    void* out = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, vx::kIidIShellPropSheetExt, &out), S_OK);
    EXPECT_EQ(vx::LiveObjectCount, 2u);
    factory->Release();
    // The object does not depend on its factory.
    EXPECT_EQ(vx::DllCanUnloadNow(), S_FALSE);
    EXPECT_EQ(static_cast<IShellPropSheetExt*>(out)->Release(), 0u);
    EXPECT_EQ(vx::DllCanUnloadNow(), S_OK);
}

TEST_F(ClassFactoryTest, RefusedExtensionObjectDoesNotStayAlive) {
    IClassFactory* factory = NewFactory();
    debug.lines.clear();
    void* out = kJunk;
    EXPECT_EQ(factory->CreateInstance(nullptr, vx::kIidIClassFactory, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(debug.lines, (Lines{Line("CShellExtClassFactory::CreateInstance()"),
                                  Line("CShellExt::CShellExt()"),
                                  Line("CShellExt::QueryInterface()==>Unknown Interface")}));
    EXPECT_EQ(vx::LiveObjectCount, 1u);
    factory->Release();
    EXPECT_EQ(vx::DllCanUnloadNow(), S_OK);
}

TEST_F(ClassFactoryTest, LockServerIsNotHonoured) {
    IClassFactory* factory = NewFactory();
    debug.lines.clear();
    EXPECT_EQ(factory->LockServer(1), S_OK);
    EXPECT_EQ(factory->LockServer(0), S_OK);
    EXPECT_EQ(factory->LockServer(1), S_OK);
    EXPECT_TRUE(debug.lines.empty());
    EXPECT_EQ(factory->Release(), 0u);
    EXPECT_EQ(vx::DllCanUnloadNow(), S_OK);
}

TEST_F(ClassFactoryTest, NullOutPointersAreRefused) {
    EXPECT_EQ(vx::DllGetClassObject(vx::kClsidVexaro, vx::kIidIClassFactory, nullptr), E_POINTER);
    EXPECT_EQ(vx::LiveObjectCount, 0u);
    IClassFactory* factory = NewFactory();
    EXPECT_EQ(factory->QueryInterface(vx::kIidIUnknown, nullptr), E_POINTER);
    EXPECT_EQ(factory->CreateInstance(nullptr, vx::kIidIShellExtInit, nullptr), E_POINTER);
    EXPECT_EQ(vx::LiveObjectCount, 1u);
    EXPECT_EQ(factory->Release(), 0u);
}

}  // namespace
}  // namespace vxtest
