// Registration: the entries as plain data, and what RegisterServer and
// UnregisterServer leave in the registry of the test's Wine prefix. This
// executable carries the server's TYPELIB 1, so it registers as the server.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "VexlorECR_TLB.h"
#include "server/registration.h"
#include "server/win_handles.h"
#include "tests/support/com_text.h"

namespace server {
// Failing comparisons print the entries.
void PrintTo(const RegistryEntry& e, std::ostream* os) {
    *os << "{" << e.key << " [" << e.valueName << "] = \"" << e.data << "\"}";
}
}  // namespace server

using server::ComPtr;
using server::RegistryEntry;
using server::UniqueHkey;

using testing_support::Hex;

namespace {

// The class identity is fixed for the product.
const char kClsid[] = "{B077B58F-4CDC-4ADD-8183-205D476D4602}";
const char kIid[] = "{E0BD2197-7C02-4E55-9E16-F62F6836BD3F}";
const char kLibid[] = "{5B77E443-73B6-4550-965A-0CAC05CE124F}";
const char kNoClassLibid[] = "{20B8B5BC-9DBE-4CC9-9D85-8B30D32F92B0}";
const std::string kClassKey = std::string("CLSID\\") + kClsid;

std::string ModulePath() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

server::ClassIdentity Identity() {
    return {kClsid, "VexlorECR.TECRFisc", "TECRFisc Object", kLibid, 1, 0};
}

std::vector<RegistryEntry> ExpectedEntries(const std::string& localServer) {
    return {
        {kClassKey, "", "TECRFisc Object"},
        {kClassKey + "\\LocalServer32", "", localServer},
        {kClassKey + "\\LocalServer32", "ThreadingModel", "Apartment"},
        {"VexlorECR.TECRFisc", "", "TECRFisc Object"},
        {"VexlorECR.TECRFisc\\CLSID", "", kClsid},
        {kClassKey + "\\ProgID", "", "VexlorECR.TECRFisc"},
        {kClassKey + "\\Version", "", "1.0"},
        {kClassKey + "\\Typelib", "", kLibid},
    };
}

TEST(RegistryEntries, EightEntriesInOrder) {
    EXPECT_EQ(server::RegistryEntries(Identity(), "C:\\Shop\\VexlorECR.exe"),
              ExpectedEntries("C:\\Shop\\VexlorECR.exe /Automation"));
}

// The LocalServer32 command line: the long path when it has no white space,
// else the short form; a path that keeps its white space (a volume without
// short names gives back the long path) is quoted so that "C:\Program" can
// never be taken for the program.
TEST(RegistryEntries, ShortPathRuleAndQuoting) {
    struct Case {
        const char* longPath;
        const char* shortPath;  // what GetShortPathNameA gave, "" when it failed
        const char* chosen;
        const char* commandLine;
    };
    const Case cases[] = {
        {"C:\\Shop\\VexlorECR.exe", "C:\\Shop\\VEXLOR~1.EXE", "C:\\Shop\\VexlorECR.exe",
         "C:\\Shop\\VexlorECR.exe /Automation"},
        {"C:\\Program Files\\Vexlor\\VexlorECR.exe", "C:\\PROGRA~1\\Vexlor\\VEXLOR~1.EXE",
         "C:\\PROGRA~1\\Vexlor\\VEXLOR~1.EXE", "C:\\PROGRA~1\\Vexlor\\VEXLOR~1.EXE /Automation"},
        {"C:\\Program Files\\Vexlor\\VexlorECR.exe", "C:\\Program Files\\Vexlor\\VexlorECR.exe",
         "C:\\Program Files\\Vexlor\\VexlorECR.exe",
         "\"C:\\Program Files\\Vexlor\\VexlorECR.exe\" /Automation"},
        {"C:\\Program Files\\Vexlor\\VexlorECR.exe", "", "C:\\Program Files\\Vexlor\\VexlorECR.exe",
         "\"C:\\Program Files\\Vexlor\\VexlorECR.exe\" /Automation"},
        {"C:\\Tab\there\\VexlorECR.exe", "C:\\TABTHE~1\\VEXLOR~1.EXE", "C:\\TABTHE~1\\VEXLOR~1.EXE",
         "C:\\TABTHE~1\\VEXLOR~1.EXE /Automation"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.longPath) + " / " + c.shortPath);
        std::string chosen = server::ChooseServerPath(c.longPath, c.shortPath);
        EXPECT_EQ(chosen, c.chosen);
        EXPECT_EQ(server::RegistryEntries(Identity(), chosen)[1].data, c.commandLine);
    }
}

TEST(RegistryEntries, TypeLibFileAndHelpDirectory) {
    struct Case {
        const char* path;
        const char* typeLibFile;
        const char* helpDirectory;
    };
    const Case cases[] = {
        {"C:\\Shop\\VexlorECR.exe", "C:\\Shop\\VexlorECR.tlb", "C:\\Shop\\"},
        {"C:\\Shop.v6\\VexlorECR", "C:\\Shop.v6\\VexlorECR.tlb", "C:\\Shop.v6\\"},
        {"Z:/work/bin/VexlorECR.exe", "Z:/work/bin/VexlorECR.tlb", "Z:/work/bin/"},
        {"C:VexlorECR.exe", "C:VexlorECR.tlb", "C:"},
        {"VexlorECR.exe", "VexlorECR.tlb", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(server::TypeLibFilePath(c.path), c.typeLibFile) << c.path;
        EXPECT_EQ(server::HelpDirectory(c.path), c.helpDirectory) << c.path;
    }
}

// The real GetShortPathNameA on a folder with a space: whatever the volume
// gives, the command line names the file and nothing else.
TEST(RegistryEntries, SpacedFolderOnThisSystem) {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    const std::string folder = std::string(temp) + "vexlor spaced folder";
    const std::string file = folder + "\\Vexlor ECR.exe";
    CreateDirectoryA(folder.c_str(), nullptr);
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << "error " << GetLastError();
    CloseHandle(h);

    std::string path = server::ShortPathIfSpaced(file);
    std::string commandLine = server::RegistryEntries(Identity(), path)[1].data;
    DeleteFileA(file.c_str());
    RemoveDirectoryA(folder.c_str());

    ASSERT_NE(path, "");
    if (server::HasWhiteSpace(path)) {
        EXPECT_EQ(commandLine, "\"" + path + "\" /Automation");
    } else {
        EXPECT_EQ(commandLine, path + " /Automation");
        EXPECT_NE(path, file);
    }
}

// --- The registry ---------------------------------------------------------

// Every value of `name` and of its subkeys as "key|value name" -> data, and
// every subkey as "key" -> ""; nothing when the key is missing.
void Dump(HKEY parent, const std::string& name, const std::string& prefix,
          std::map<std::string, std::string>& out) {
    UniqueHkey key;
    if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return;
    for (DWORD i = 0;; ++i) {
        char valueName[256];
        DWORD nameLength = sizeof valueName;
        BYTE data[1024];
        DWORD dataLength = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key.get(), i, valueName, &nameLength, nullptr, &type, data,
                          &dataLength) != ERROR_SUCCESS) {
            break;
        }
        std::string text = type == REG_SZ && dataLength > 0
                               ? std::string(reinterpret_cast<char*>(data), dataLength - 1)
                               : "<type " + std::to_string(type) + ">";
        out[prefix + "|" + valueName] = text;
    }
    for (DWORD i = 0;; ++i) {
        char subkey[256];
        DWORD length = sizeof subkey;
        if (RegEnumKeyExA(key.get(), i, subkey, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        out[prefix + "\\" + subkey];  // the key itself, even when it has no values
        Dump(key.get(), subkey, prefix + "\\" + subkey, out);
    }
}

std::map<std::string, std::string> ClassKeys() {
    std::map<std::string, std::string> out;
    Dump(HKEY_CLASSES_ROOT, kClassKey, kClassKey, out);
    Dump(HKEY_CLASSES_ROOT, "VexlorECR.TECRFisc", "VexlorECR.TECRFisc", out);
    return out;
}

// The same form for a list of entries below the two keys.
std::map<std::string, std::string> AsDump(const std::vector<RegistryEntry>& entries) {
    std::map<std::string, std::string> out;
    for (const RegistryEntry& e : entries) {
        if (e.key != kClassKey && e.key != "VexlorECR.TECRFisc") out.try_emplace(e.key);
        out[e.key + "|" + e.valueName] = e.data;
    }
    return out;
}

bool KeyExists(const std::string& name) {
    UniqueHkey key;
    return RegOpenKeyExA(HKEY_CLASSES_ROOT, name.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

std::string ReadString(const std::string& keyName, const char* valueName) {
    char data[1024];
    DWORD length = sizeof data;
    if (RegGetValueA(HKEY_CLASSES_ROOT, keyName.c_str(), valueName, RRF_RT_REG_SZ, nullptr, data,
                     &length) != ERROR_SUCCESS) {
        return "<missing>";
    }
    return data;
}

class RegistrationTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        // Each test starts from an unregistered server and type library.
        server::UnregisterServer();
        RegDeleteTreeA(HKEY_CLASSES_ROOT, (std::string("TypeLib\\") + kLibid).c_str());
        RegDeleteTreeA(HKEY_CLASSES_ROOT, (std::string("Interface\\") + kIid).c_str());
        ASSERT_FALSE(KeyExists(kClassKey));
        ASSERT_FALSE(KeyExists(std::string("TypeLib\\") + kLibid));
    }
    void TearDown() override {
        server::UnregisterServer();
        CoUninitialize();
    }
};

TEST_F(RegistrationTest, RegisterWritesExactlyTheEightEntries) {
    const std::string path = ModulePath();
    ASSERT_FALSE(server::HasWhiteSpace(path)) << "the test expects a build path without spaces";

    server::RegisterServer();

    std::map<std::string, std::string> got = ClassKeys();
    std::map<std::string, std::string> want = AsDump(ExpectedEntries(path + " /Automation"));
    EXPECT_EQ(got, want);
    EXPECT_EQ(ReadString(kClassKey + "\\LocalServer32", nullptr), path + " /Automation");
    EXPECT_EQ(ReadString(kClassKey + "\\Version", nullptr), "1.0");
    EXPECT_EQ(ReadString("VexlorECR.TECRFisc\\CLSID", nullptr), kClsid);
    EXPECT_EQ(ReadString(kClassKey + "\\Typelib", nullptr), kLibid);

    // Registering again overwrites: the same keys and values.
    server::RegisterServer();
    EXPECT_EQ(ClassKeys(), got);
}

TEST_F(RegistrationTest, RegisterRegistersTheTypeLibraryWithItsHelpDirectory) {
    server::RegisterServer();
    const std::string path = ModulePath();
    const std::string libKey = std::string("TypeLib\\") + kLibid + "\\1.0";
    EXPECT_EQ(ReadString(libKey, nullptr), "The component for Vexlor QZ4417R");
    EXPECT_EQ(ReadString(libKey + "\\409\\win64", nullptr), path);
    EXPECT_EQ(ReadString(libKey + "\\HELPDIR", nullptr), path.substr(0, path.rfind('\\') + 1));
    // The marshaler for ITECRFisc comes with the type library.
    const std::string itfKey = std::string("Interface\\") + kIid;
    EXPECT_EQ(ReadString(itfKey, nullptr), "ITECRFisc");
    EXPECT_EQ(ReadString(itfKey + "\\TypeLib", nullptr), kLibid);
    EXPECT_NE(ReadString(itfKey + "\\ProxyStubClsid32", nullptr), "<missing>");
}

TEST_F(RegistrationTest, UnregisterRemovesBothKeysWithSubkeysAndKeepsTheTypeLibrary) {
    server::RegisterServer();
    // Subkeys that registration did not write go too.
    UniqueHkey extra;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, (kClassKey + "\\LocalServer32\\a\\b\\c").c_str(),
                              0, nullptr, 0, KEY_ALL_ACCESS, nullptr, extra.put(), nullptr),
              ERROR_SUCCESS);
    extra.reset();
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "VexlorECR.TECRFisc\\CurVer", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, extra.put(), nullptr),
              ERROR_SUCCESS);
    extra.reset();

    server::UnregisterServer();

    EXPECT_FALSE(KeyExists(kClassKey));
    EXPECT_FALSE(KeyExists("VexlorECR.TECRFisc"));
    EXPECT_TRUE(KeyExists("CLSID"));
    EXPECT_TRUE(KeyExists(std::string("TypeLib\\") + kLibid + "\\1.0"));
    EXPECT_TRUE(KeyExists(std::string("Interface\\") + kIid));

    // Unregistering what is not there changes nothing and does not fail.
    server::UnregisterServer();
    EXPECT_FALSE(KeyExists(kClassKey));
}

TEST_F(RegistrationTest, TypeLibraryWithoutTheClassWritesAndDeletesNothing) {
    const std::wstring noClassPath = [] {
        std::string path = ModulePath() + "\\2";
        return std::wstring(path.begin(), path.end());
    }();
    ComPtr<ITypeLib> noClass;
    HRESULT hr = LoadTypeLib(noClassPath.c_str(), noClass.put());
    ASSERT_EQ(hr, S_OK) << "TYPELIB 2: " << Hex(hr);
    EXPECT_FALSE(server::ReadClassIdentity(*noClass.get()).has_value());

    hr = server::UpdateRegistry(true, *noClass.get(), ModulePath());
    EXPECT_TRUE(FAILED(hr)) << Hex(hr);
    EXPECT_EQ(ClassKeys(), (std::map<std::string, std::string>{}));
    EXPECT_FALSE(KeyExists(std::string("TypeLib\\") + kNoClassLibid));

    server::RegisterServer();
    const std::map<std::string, std::string> registered = ClassKeys();
    hr = server::UpdateRegistry(false, *noClass.get(), ModulePath());
    EXPECT_TRUE(FAILED(hr)) << Hex(hr);
    EXPECT_EQ(ClassKeys(), registered);
}

}  // namespace
