#include "server/registration.h"

#include <objbase.h>
#include <oleauto.h>

#include "VexlorECR_TLB.h"
#include "server/win_handles.h"

namespace server {
namespace {

constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";
constexpr std::string_view kPathSeparators = "\\/:";

std::string Narrow(const wchar_t* text) {
    if (!text || !*text) return {};
    int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), size, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(size - 1));
    return out;
}

std::wstring Widen(const std::string& text) {
    if (text.empty()) return {};
    int size = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (size <= 1) return {};
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, out.data(), size);
    out.resize(static_cast<std::size_t>(size - 1));
    return out;
}

std::string GuidText(const GUID& guid) {
    UniqueTaskText text;
    if (FAILED(StringFromCLSID(guid, text.put()))) return {};
    return Narrow(text.get());
}

std::string ModuleFileName() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::string(path, length);
}

std::string ShortPathName(const std::string& longPath) {
    char path[MAX_PATH];
    DWORD length = GetShortPathNameA(longPath.c_str(), path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::string(path, length);
}

// Failures are ignored: the next entry is still written.
void WriteEntry(const RegistryEntry& entry) {
    UniqueHkey key;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, entry.key.c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExA(key.get(), entry.valueName.empty() ? nullptr : entry.valueName.c_str(), 0,
                   REG_SZ, reinterpret_cast<const BYTE*>(entry.data.c_str()),
                   static_cast<DWORD>(entry.data.size() + 1));
}

// Deletes `name` under `parent` with all its subkeys, first subkey first.
// A subkey that cannot be deleted ends the walk (index 0 would return it
// again for ever) and leaves the key in place.
bool DeleteKeyTree(HKEY parent, const char* name) {
    {
        UniqueHkey key;
        if (RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, key.put()) != ERROR_SUCCESS) {
            return false;
        }
        char subkey[256];
        for (;;) {
            DWORD length = sizeof subkey;
            if (RegEnumKeyExA(key.get(), 0, subkey, &length, nullptr, nullptr, nullptr,
                              nullptr) != ERROR_SUCCESS) {
                break;
            }
            if (!DeleteKeyTree(key.get(), subkey)) return false;
        }
    }
    return RegDeleteKeyA(parent, name) == ERROR_SUCCESS;
}

HRESULT LoadTypeLibFrom(const std::string& path, ComPtr<ITypeLib>& typeLib) {
    std::wstring widePath = Widen(path);
    if (widePath.empty()) return E_INVALIDARG;
    return LoadTypeLib(widePath.c_str(), typeLib.put());
}

HRESULT RegisterTypeLibAt(ITypeLib& typeLib, const std::string& path,
                          const std::string& helpDirectory) {
    std::wstring widePath = Widen(path);
    std::wstring wideHelp = Widen(helpDirectory);
    return RegisterTypeLib(&typeLib, widePath.data(), wideHelp.empty() ? nullptr : wideHelp.data());
}

// The second registration: the library from the executable's full path (or
// the .tlb beside it), with the executable's directory as help directory.
void RegisterTypeLibWithHelpDirectory(const std::string& modulePath) {
    std::string path = modulePath;
    ComPtr<ITypeLib> typeLib;
    if (FAILED(LoadTypeLibFrom(path, typeLib))) {
        path = TypeLibFilePath(modulePath);
        if (FAILED(LoadTypeLibFrom(path, typeLib))) return;
    }
    RegisterTypeLibAt(*typeLib.get(), path, HelpDirectory(path));
}

}  // namespace

bool HasWhiteSpace(std::string_view text) {
    return text.find_first_of(kWhiteSpace) != std::string_view::npos;
}

std::string ChooseServerPath(std::string_view longPath, std::string_view shortPath) {
    if (HasWhiteSpace(longPath) && !shortPath.empty()) return std::string(shortPath);
    return std::string(longPath);
}

std::string CommandLinePath(std::string_view path) {
    if (!HasWhiteSpace(path)) return std::string(path);
    std::string quoted;
    quoted.reserve(path.size() + 2);
    quoted += '"';
    quoted += path;
    quoted += '"';
    return quoted;
}

std::vector<RegistryEntry> RegistryEntries(const ClassIdentity& identity,
                                           std::string_view serverPath) {
    const std::string classKey = "CLSID\\" + identity.clsid;
    const std::string version =
        std::to_string(identity.majorVersion) + "." + std::to_string(identity.minorVersion);
    return {
        {classKey, "", identity.description},
        {classKey + "\\LocalServer32", "", CommandLinePath(serverPath) + kAutomationSwitch},
        {classKey + "\\LocalServer32", "ThreadingModel", kThreadingModel},
        {identity.progId, "", identity.description},
        {identity.progId + "\\CLSID", "", identity.clsid},
        {classKey + "\\ProgID", "", identity.progId},
        {classKey + "\\Version", "", version},
        {classKey + "\\Typelib", "", identity.libid},
    };
}

std::string TypeLibFilePath(std::string_view path) {
    std::size_t dot = path.find_last_of('.');
    std::size_t separator = path.find_last_of(kPathSeparators);
    if (dot == std::string_view::npos ||
        (separator != std::string_view::npos && dot < separator)) {
        return std::string(path) + ".tlb";
    }
    return std::string(path.substr(0, dot)) + ".tlb";
}

std::string HelpDirectory(std::string_view path) {
    std::size_t separator = path.find_last_of(kPathSeparators);
    if (separator == std::string_view::npos) return {};
    return std::string(path.substr(0, separator + 1));
}

std::string ShortPathIfSpaced(const std::string& longPath) {
    if (!HasWhiteSpace(longPath)) return longPath;
    return ChooseServerPath(longPath, ShortPathName(longPath));
}

std::string ServerPath() { return ShortPathIfSpaced(ModuleFileName()); }

std::optional<ClassIdentity> ReadClassIdentity(ITypeLib& typeLib) {
    ComPtr<ITypeInfo> classInfo;
    if (FAILED(typeLib.GetTypeInfoOfGuid(CLSID_TECRFisc, classInfo.put()))) return std::nullopt;
    UniqueBstr description;
    if (FAILED(classInfo->GetDocumentation(MEMBERID_NIL, nullptr, description.put(), nullptr,
                                           nullptr))) {
        return std::nullopt;
    }
    LibAttr attr(&typeLib);
    if (!attr) return std::nullopt;

    ClassIdentity identity;
    identity.clsid = GuidText(CLSID_TECRFisc);
    identity.progId = kProgId;
    identity.description = Narrow(description.get());
    identity.libid = GuidText(attr->guid);
    identity.majorVersion = attr->wMajorVerNum;
    identity.minorVersion = attr->wMinorVerNum;
    if (identity.clsid.empty() || identity.libid.empty()) return std::nullopt;
    return identity;
}

HRESULT UpdateRegistry(bool doRegister, ITypeLib& typeLib, const std::string& serverPath) {
    std::optional<ClassIdentity> identity = ReadClassIdentity(typeLib);
    if (!identity) return TYPE_E_ELEMENTNOTFOUND;

    if (!doRegister) {
        DeleteKeyTree(HKEY_CLASSES_ROOT, ("CLSID\\" + identity->clsid).c_str());
        DeleteKeyTree(HKEY_CLASSES_ROOT, identity->progId.c_str());
        return S_OK;
    }
    for (const RegistryEntry& entry : RegistryEntries(*identity, serverPath)) WriteEntry(entry);
    return RegisterTypeLibAt(typeLib, serverPath, {});
}

HRESULT UpdateRegistry(bool doRegister) {
    std::string serverPath = ServerPath();
    ComPtr<ITypeLib> typeLib;
    HRESULT hr = LoadTypeLibFrom(serverPath, typeLib);
    if (FAILED(hr)) return hr;
    return UpdateRegistry(doRegister, *typeLib.get(), serverPath);
}

void RegisterServer() {
    if (FAILED(UpdateRegistry(true))) return;
    RegisterTypeLibWithHelpDirectory(ModuleFileName());
}

void UnregisterServer() { UpdateRegistry(false); }

}  // namespace server
