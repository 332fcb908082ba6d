// The registry as the support library reads it: a key of HKEY_LOCAL_MACHINE in the 64-bit view.
#include <gtest/gtest.h>

#include <string>

#include "platform/registry.h"
#include "platform/windows/windows_api.h"

namespace ryn::platform {
namespace {

constexpr wchar_t kParent[] = L"Software\\Velmora\\Ryn";

// A key of the test's own below the product's key, removed with everything in it at the end.
class ScratchKey {
 public:
  explicit ScratchKey(REGSAM view = KEY_WOW64_64KEY)
      : path_(std::wstring(kParent) + L"\\PlatformTest" + std::to_wstring(GetCurrentProcessId())), view_(view) {
    created_ = RegCreateKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view_, nullptr,
                               &key_, nullptr) == ERROR_SUCCESS;
  }
  ~ScratchKey() {
    if (!created_) return;
    RegCloseKey(key_);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, path_.c_str());
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), view_, 0);
  }
  ScratchKey(const ScratchKey&) = delete;
  ScratchKey& operator=(const ScratchKey&) = delete;

  bool created() const { return created_; }
  const std::wstring& path() const { return path_; }
  void Set(const wchar_t* name, DWORD type, const void* data, DWORD size) const {
    ASSERT_EQ(RegSetValueExW(key_, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
  }
  void Dword(const wchar_t* name, DWORD value) const { Set(name, REG_DWORD, &value, sizeof value); }

 private:
  std::wstring path_;
  REGSAM view_;
  HKEY key_ = nullptr;
  bool created_ = false;
};

const RegistryValue* Find(const std::vector<RegistryValue>& values, const std::wstring& name) {
  for (const RegistryValue& value : values) {
    if (value.name == name) return &value;
  }
  return nullptr;
}

TEST(WindowsRegistry, ReadsEveryValueWithItsType) {
  const ScratchKey key;
  ASSERT_TRUE(key.created());
  key.Dword(nullptr, 3);
  key.Dword(L"ConsoleTimeMode", 0xFFFFFFFF);
  const wchar_t text[] = L"C:\\log.txt";
  key.Set(L"FileName", REG_SZ, text, sizeof text);
  key.Set(L"Unterminated", REG_SZ, L"ab", 2 * sizeof(wchar_t));
  const unsigned char bytes[] = {1, 2, 3};
  key.Set(L"Blob", REG_BINARY, bytes, sizeof bytes);
  key.Set(L"Short", REG_DWORD, bytes, 2);

  const auto values = SystemRegistry().ReadKey(key.path());
  ASSERT_TRUE(values.has_value());
  EXPECT_EQ(values->size(), 6u);
  const RegistryValue* unnamed = Find(*values, L"");
  ASSERT_NE(unnamed, nullptr);
  EXPECT_EQ(unnamed->type, RegistryValue::Type::kDword);
  EXPECT_EQ(unnamed->dword, 3u);
  const RegistryValue* mode = Find(*values, L"ConsoleTimeMode");
  ASSERT_NE(mode, nullptr);
  EXPECT_EQ(mode->dword, 0xFFFFFFFFu);
  const RegistryValue* file = Find(*values, L"FileName");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->type, RegistryValue::Type::kString);
  EXPECT_EQ(file->string, L"C:\\log.txt") << "no terminating null";
  ASSERT_NE(Find(*values, L"Unterminated"), nullptr);
  EXPECT_EQ(Find(*values, L"Unterminated")->string, L"ab");
  ASSERT_NE(Find(*values, L"Blob"), nullptr);
  EXPECT_EQ(Find(*values, L"Blob")->type, RegistryValue::Type::kOther);
  ASSERT_NE(Find(*values, L"Short"), nullptr);
  EXPECT_EQ(Find(*values, L"Short")->type, RegistryValue::Type::kOther) << "a DWORD of two bytes is no number";
}

TEST(WindowsRegistry, EmptyAndMissingKeys) {
  const ScratchKey key;
  ASSERT_TRUE(key.created());
  const auto values = SystemRegistry().ReadKey(key.path());
  ASSERT_TRUE(values.has_value());
  EXPECT_TRUE(values->empty());
  EXPECT_FALSE(SystemRegistry().ReadKey(key.path() + L"\\Missing").has_value());
}

TEST(WindowsRegistry, ReadsThe64BitViewOnly) {
  const ScratchKey key(KEY_WOW64_32KEY);
  ASSERT_TRUE(key.created());
  key.Dword(L"Level", 5);
  EXPECT_FALSE(SystemRegistry().ReadKey(key.path()).has_value()) << "a key of the 32-bit view only";
}

}  // namespace
}  // namespace ryn::platform
