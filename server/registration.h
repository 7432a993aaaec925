// Registration of the class TECRFisc and of its type library.
//
// RegisterServer and UnregisterServer are what /RegServer and /UnregServer
// run; they report nothing. The entries they write are plain data
// (RegistryEntries), kept apart from the registry calls.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace server {

inline constexpr char kProgId[] = "VexlorECR.TECRFisc";
inline constexpr char kThreadingModel[] = "Apartment";
inline constexpr char kAutomationSwitch[] = " /Automation";

// One string value under HKEY_CLASSES_ROOT; an empty valueName is the key's
// default value.
struct RegistryEntry {
    std::string key;
    std::string valueName;
    std::string data;
    bool operator==(const RegistryEntry&) const = default;
};

// What registration needs to know about the class, as registry text: GUIDs
// upper case in braces, the description from the class's help string.
struct ClassIdentity {
    std::string clsid;
    std::string progId;
    std::string description;
    std::string libid;
    unsigned short majorVersion = 0;
    unsigned short minorVersion = 0;
};

// True when `text` holds a space, tab, or line or page break.
bool HasWhiteSpace(std::string_view text);

// The executable's path as registration uses it: the long path, or its
// short form when the long one holds white space and a short form exists
// (an empty `shortPath` means there is none).
std::string ChooseServerPath(std::string_view longPath, std::string_view shortPath);

// The path as the start of a command line: in double quotes when it still
// holds white space, so that no part of it can be taken for the program.
std::string CommandLinePath(std::string_view path);

// The eight entries, in the order they are written.
std::vector<RegistryEntry> RegistryEntries(const ClassIdentity& identity,
                                           std::string_view serverPath);

// The file beside `path` that may hold the type library: its extension
// replaced by ".tlb", or ".tlb" appended when it has none.
std::string TypeLibFilePath(std::string_view path);

// `path` up to and including its last '\', '/' or ':'; empty if none.
std::string HelpDirectory(std::string_view path);

// `longPath` with the short-path rule applied through GetShortPathNameA.
std::string ShortPathIfSpaced(const std::string& longPath);

// GetModuleFileNameA of the executable, with the short-path rule applied.
std::string ServerPath();

// The class TECRFisc's identity from `typeLib`; nothing when the library
// lacks the class or its attributes cannot be read.
std::optional<ClassIdentity> ReadClassIdentity(ITypeLib& typeLib);

// Writes (doRegister) or deletes the class's entries. The type library is
// loaded from the executable; when that fails or it lacks the class, the
// registry is left untouched. Returns the result of registering the type
// library, or the failure that stopped it.
HRESULT UpdateRegistry(bool doRegister);

// The same with the type library and the server path given.
HRESULT UpdateRegistry(bool doRegister, ITypeLib& typeLib, const std::string& serverPath);

// Writes the entries, registers the type library, then registers it again
// with its help directory.
void RegisterServer();

// Deletes the class's keys with their subkeys; the type library stays
// registered.
void UnregisterServer();

}  // namespace server
