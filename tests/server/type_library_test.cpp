// The type library embedded as TYPELIB 1 and the version information: what
// late-bound clients, the marshaler and installers read from the executable.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "VexlorECR_TLB.h"
#include "server/win_handles.h"
#include "tests/support/com_text.h"
#include "tests/support/members_table.h"

using server::ComPtr;
using server::LibAttr;
using server::UniqueBstr;

// The generated declarations are what the implementation class overrides.
static_assert(std::is_same_v<decltype(&ITECRFisc::get_Status0),
                             HRESULT (STDMETHODCALLTYPE ITECRFisc::*)(signed char*)>);
static_assert(std::is_same_v<decltype(&ITECRFisc::SellArtCash),
                             HRESULT (STDMETHODCALLTYPE ITECRFisc::*)(
                                 VARIANT_BOOL, LONG, double, double, double, VARIANT_BOOL*)>);
static_assert(std::is_same_v<decltype(&ITECRFisc::ClearOperatorPassword),
                             HRESULT (STDMETHODCALLTYPE ITECRFisc::*)(BSTR, LONG, VARIANT_BOOL*)>);
static_assert(std::is_same_v<decltype(&ITECRFisc::SetComPort),
                             HRESULT (STDMETHODCALLTYPE ITECRFisc::*)(int, int, int*)>);
static_assert(std::is_base_of_v<IDispatch, ITECRFisc>);

using testing_support::Hex;
using testing_support::InterfaceMember;
using testing_support::kMembers;
using testing_support::MemberKind;
using testing_support::Narrow;

namespace {

std::wstring ModulePath() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, length);
}

INVOKEKIND InvokeKind(MemberKind kind) {
    switch (kind) {
    case MemberKind::kGet: return INVOKE_PROPERTYGET;
    case MemberKind::kPut: return INVOKE_PROPERTYPUT;
    case MemberKind::kMethod: break;
    }
    return INVOKE_FUNC;
}

// A function description, given back to its type information when done.
class FuncDesc {
public:
    FuncDesc(ITypeInfo* info, UINT index) : info_(info) {
        if (FAILED(info_->GetFuncDesc(index, &desc_))) desc_ = nullptr;
    }
    ~FuncDesc() {
        if (desc_) info_->ReleaseFuncDesc(desc_);
    }
    FuncDesc(const FuncDesc&) = delete;
    FuncDesc& operator=(const FuncDesc&) = delete;
    const FUNCDESC* operator->() const { return desc_; }
    explicit operator bool() const { return desc_ != nullptr; }

private:
    ITypeInfo* info_;
    FUNCDESC* desc_ = nullptr;
};

class TypeLibraryTest : public testing::Test {
protected:
    void SetUp() override {
        HRESULT hr = LoadTypeLib(ModulePath().c_str(), lib_.put());
        ASSERT_EQ(hr, S_OK) << "LoadTypeLib on the executable: " << Hex(hr);
        hr = lib_->GetTypeInfoOfGuid(IID_ITECRFisc, dispatchInfo_.put());
        ASSERT_EQ(hr, S_OK) << "ITECRFisc: " << Hex(hr);
        // The vtable half of the dual interface.
        HREFTYPE ref = 0;
        hr = dispatchInfo_->GetRefTypeOfImplType(-1, &ref);
        ASSERT_EQ(hr, S_OK) << Hex(hr);
        hr = dispatchInfo_->GetRefTypeInfo(ref, vtableInfo_.put());
        ASSERT_EQ(hr, S_OK) << Hex(hr);
    }

    std::string Documentation(ITypeInfo* info, MEMBERID id) {
        UniqueBstr name, doc;
        info->GetDocumentation(id, name.put(), doc.put(), nullptr, nullptr);
        return Narrow(doc.get());
    }

    // The function of `member` in the vtable half, or -1.
    int FindFunction(const char* name, INVOKEKIND kind) {
        TYPEATTR* attr = nullptr;
        if (FAILED(vtableInfo_->GetTypeAttr(&attr))) return -1;
        int count = attr->cFuncs;
        vtableInfo_->ReleaseTypeAttr(attr);
        for (int i = 0; i < count; ++i) {
            FuncDesc desc(vtableInfo_.get(), static_cast<UINT>(i));
            UniqueBstr funcName;
            if (desc && desc->invkind == kind &&
                SUCCEEDED(vtableInfo_->GetDocumentation(desc->memid, funcName.put(), nullptr,
                                                        nullptr, nullptr)) &&
                Narrow(funcName.get()) == name) {
                return i;
            }
        }
        return -1;
    }

    ComPtr<ITypeLib> lib_;
    ComPtr<ITypeInfo> dispatchInfo_;
    ComPtr<ITypeInfo> vtableInfo_;
};

TEST_F(TypeLibraryTest, LibraryClassAndInterfaceAttributes) {
    LibAttr attr(lib_.get());
    ASSERT_TRUE(attr);
    EXPECT_TRUE(IsEqualGUID(attr->guid, LIBID_VexlorECR));
    EXPECT_EQ(attr->wMajorVerNum, 1);
    EXPECT_EQ(attr->wMinorVerNum, 0);
    EXPECT_EQ(attr->lcid, 0x409u);
    UniqueBstr name, doc, helpFile;
    ASSERT_EQ(lib_->GetDocumentation(-1, name.put(), doc.put(), nullptr, helpFile.put()), S_OK);
    EXPECT_EQ(Narrow(name.get()), "VexlorECR");
    EXPECT_EQ(Narrow(doc.get()), "The component for Vexlor QZ4417R");
    EXPECT_EQ(Narrow(helpFile.get()), "");

    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(lib_->GetTypeInfoOfGuid(CLSID_TECRFisc, coclass.put()), S_OK);
    EXPECT_EQ(Documentation(coclass.get(), MEMBERID_NIL), "TECRFisc Object");
    TYPEATTR* classAttr = nullptr;
    ASSERT_EQ(coclass->GetTypeAttr(&classAttr), S_OK);
    EXPECT_EQ(classAttr->typekind, TKIND_COCLASS);
    EXPECT_TRUE(classAttr->wTypeFlags & TYPEFLAG_FCANCREATE) << classAttr->wTypeFlags;
    EXPECT_EQ(classAttr->cImplTypes, 1);
    coclass->ReleaseTypeAttr(classAttr);
    INT implFlags = 0;
    ASSERT_EQ(coclass->GetImplTypeFlags(0, &implFlags), S_OK);
    EXPECT_TRUE(implFlags & IMPLTYPEFLAG_FDEFAULT) << implFlags;
    HREFTYPE ref = 0;
    ComPtr<ITypeInfo> defaultInterface;
    ASSERT_EQ(coclass->GetRefTypeOfImplType(0, &ref), S_OK);
    ASSERT_EQ(coclass->GetRefTypeInfo(ref, defaultInterface.put()), S_OK);
    TYPEATTR* defaultAttr = nullptr;
    ASSERT_EQ(defaultInterface->GetTypeAttr(&defaultAttr), S_OK);
    EXPECT_TRUE(IsEqualGUID(defaultAttr->guid, IID_ITECRFisc));
    defaultInterface->ReleaseTypeAttr(defaultAttr);

    EXPECT_EQ(Documentation(dispatchInfo_.get(), MEMBERID_NIL),
              "Dispatch interface for TECRFisc Object");
    TYPEATTR* itfAttr = nullptr;
    ASSERT_EQ(vtableInfo_->GetTypeAttr(&itfAttr), S_OK);
    EXPECT_EQ(itfAttr->typekind, TKIND_INTERFACE);
    const WORD wanted = TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE;
    EXPECT_EQ(itfAttr->wTypeFlags & wanted, wanted) << "type flags " << itfAttr->wTypeFlags;
    vtableInfo_->ReleaseTypeAttr(itfAttr);
    ComPtr<ITypeInfo> base;
    ASSERT_EQ(vtableInfo_->GetRefTypeOfImplType(0, &ref), S_OK);
    ASSERT_EQ(vtableInfo_->GetRefTypeInfo(ref, base.put()), S_OK);
    TYPEATTR* baseAttr = nullptr;
    ASSERT_EQ(base->GetTypeAttr(&baseAttr), S_OK);
    EXPECT_TRUE(IsEqualGUID(baseAttr->guid, IID_IDispatch));
    base->ReleaseTypeAttr(baseAttr);
}

// Early-bound clients call by vtable slot: the order and the kinds are the
// contract, as are the dispids late-bound clients look up by name.
TEST_F(TypeLibraryTest, MembersInVtableOrderWithTheirDispids) {
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(vtableInfo_->GetTypeAttr(&attr), S_OK);
    const UINT count = attr->cFuncs;
    vtableInfo_->ReleaseTypeAttr(attr);
    ASSERT_EQ(count, std::size(kMembers));

    std::map<SHORT, UINT> bySlot;
    for (UINT i = 0; i < count; ++i) {
        FuncDesc desc(vtableInfo_.get(), i);
        ASSERT_TRUE(desc);
        bySlot[desc->oVft] = i;
    }
    ASSERT_EQ(bySlot.size(), count);
    const SHORT firstSlot = 7 * static_cast<SHORT>(sizeof(void*));  // after IDispatch
    ASSERT_EQ(bySlot.begin()->first, firstSlot);

    std::size_t position = 0;
    for (const auto& [slot, index] : bySlot) {
        const InterfaceMember& want = kMembers[position];
        FuncDesc desc(vtableInfo_.get(), index);
        UniqueBstr name, doc;
        ASSERT_EQ(vtableInfo_->GetDocumentation(desc->memid, name.put(), doc.put(), nullptr,
                                                nullptr),
                  S_OK);
        SCOPED_TRACE(std::string("slot ") + std::to_string(slot) + " " + Narrow(name.get()));
        EXPECT_EQ(slot, firstSlot + static_cast<SHORT>(position * sizeof(void*)));
        EXPECT_EQ(Narrow(name.get()), want.name);
        EXPECT_EQ(desc->memid, want.dispid);
        EXPECT_EQ(desc->invkind, InvokeKind(want.kind));
        EXPECT_EQ(desc->elemdescFunc.tdesc.vt, VT_HRESULT);
        EXPECT_EQ(Narrow(doc.get()), "") << "members carry no help strings";
        ++position;
    }

    for (const InterfaceMember& member : kMembers) {
        std::wstring wide(member.name, member.name + std::char_traits<char>::length(member.name));
        LPOLESTR names[] = {wide.data()};
        MEMBERID id = MEMBERID_NIL;
        EXPECT_EQ(dispatchInfo_->GetIDsOfNames(names, 1, &id), S_OK) << member.name;
        EXPECT_EQ(id, member.dispid) << member.name;
    }
}

struct ParamCase {
    const char* member;
    INVOKEKIND kind;
    int param;
    VARTYPE vt;       // of the parameter, or of what it points to when pointer is set
    bool pointer;
    USHORT flags;     // PARAMFLAG_FIN, PARAMFLAG_FOUT | PARAMFLAG_FRETVAL, ...
    const char* name;
};

TEST_F(TypeLibraryTest, ParameterTypesAndDirections) {
    const USHORT in = PARAMFLAG_FIN;
    const USHORT retval = PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;
    const ParamCase cases[] = {
        {"Status0", INVOKE_PROPERTYGET, 0, VT_I1, true, retval, "Value"},
        {"Status5", INVOKE_PROPERTYGET, 0, VT_I1, true, retval, "Value"},
        {"SetComPort", INVOKE_FUNC, 0, VT_INT, false, in, "NumPort"},
        {"SetComPort", INVOKE_FUNC, 2, VT_INT, true, retval, "Result"},
        {"SellArtCash", INVOKE_FUNC, 0, VT_BOOL, false, in, "Sign"},
        {"SellArtCash", INVOKE_FUNC, 1, VT_I4, false, in, "NumArt"},
        {"SellArtCash", INVOKE_FUNC, 2, VT_R8, false, in, "Quant"},
        {"SellArtCash", INVOKE_FUNC, 5, VT_BOOL, true, retval, "Result"},
        {"ProgramArt", INVOKE_FUNC, 0, VT_UI1, false, in, "Tax"},
        {"SellArticul", INVOKE_FUNC, 3, VT_UI1, false, in, "Tax"},
        {"StrPrntCash", INVOKE_FUNC, 0, VT_BSTR, false, in, "Str1"},
        {"GetSerNumber", INVOKE_FUNC, 0, VT_BSTR, true, PARAMFLAG_FOUT, "Number"},
        {"GetSerNumber", INVOKE_FUNC, 1, VT_I4, true, retval, "Result"},
        {"ClearOperatorPassword", INVOKE_FUNC, 2, VT_BOOL, true, in, "Result"},
        {"GetReceiptSum", INVOKE_FUNC, 0, VT_R8, true, retval, "Sum"},
        {"ServiceIn", INVOKE_PROPERTYPUT, 0, VT_R8, false, in, nullptr},
        {"StatIPPr", INVOKE_PROPERTYGET, 0, VT_BSTR, true, retval, "Value"},
    };
    for (const ParamCase& c : cases) {
        SCOPED_TRACE(std::string(c.member) + " parameter " + std::to_string(c.param));
        int index = FindFunction(c.member, c.kind);
        ASSERT_GE(index, 0);
        FuncDesc desc(vtableInfo_.get(), static_cast<UINT>(index));
        ASSERT_LT(c.param, desc->cParams);
        const ELEMDESC& param = desc->lprgelemdescParam[c.param];
        if (c.pointer) {
            ASSERT_EQ(param.tdesc.vt, VT_PTR);
            EXPECT_EQ(param.tdesc.lptdesc->vt, c.vt);
        } else {
            EXPECT_EQ(param.tdesc.vt, c.vt);
        }
        const USHORT direction = PARAMFLAG_FIN | PARAMFLAG_FOUT | PARAMFLAG_FRETVAL;
        EXPECT_EQ(param.paramdesc.wParamFlags & direction, c.flags);
        if (c.name) {
            BSTR names[8] = {};
            UINT got = 0;
            ASSERT_EQ(vtableInfo_->GetNames(desc->memid, names, 8, &got),
                      S_OK);
            ASSERT_GT(got, static_cast<UINT>(c.param + 1));
            EXPECT_EQ(Narrow(names[c.param + 1]), c.name);
            for (UINT i = 0; i < got; ++i) SysFreeString(names[i]);
        }
    }
    // ClearOperatorPassword writes its result through an input pointer: no retval.
    int index = FindFunction("ClearOperatorPassword", INVOKE_FUNC);
    ASSERT_GE(index, 0);
    FuncDesc clear(vtableInfo_.get(), static_cast<UINT>(index));
    EXPECT_EQ(clear->cParams, 3);
}

std::string VersionString(const std::vector<char>& block, const char* name) {
    char* value = nullptr;
    UINT length = 0;
    std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
    if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) {
        return "<missing>";
    }
    return length ? std::string(value) : std::string();
}

TEST(VersionInfo, VersionSixAndSelfRegistering) {
    char path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    ASSERT_GT(size, 0u) << "no VERSIONINFO, error " << GetLastError();
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00060000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00060000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);

    EXPECT_EQ(VersionString(block, "ProductName"), "VexlorECR");
    EXPECT_EQ(VersionString(block, "FileVersion"), "6.0.0.0");
    EXPECT_EQ(VersionString(block, "OLESelfRegister"), "");
    EXPECT_NE(VersionString(block, "FileDescription"), "<missing>");
}

}  // namespace
