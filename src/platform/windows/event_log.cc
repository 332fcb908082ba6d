#include "platform/event_log.h"

#include <map>
#include <mutex>
#include <vector>

#include "platform/windows/windows_api.h"
// GetUserNameExW.
#define SECURITY_WIN32
#include <security.h>

namespace ryn::platform {
namespace {

// The account name in the "DOMAIN\user" form, else the plain user name.
std::wstring CurrentUserName() {
  wchar_t name[512];
  ULONG length = static_cast<ULONG>(std::size(name));
  if (GetUserNameExW(NameSamCompatible, name, &length)) return std::wstring(name, length);
  DWORD plainLength = static_cast<DWORD>(std::size(name));
  if (GetUserNameW(name, &plainLength) && plainLength > 0) return std::wstring(name, plainLength - 1);
  return {};
}

// The security identifier of an account, or nothing.
std::vector<BYTE> SidOf(const std::wstring& account) {
  DWORD sidSize = 0;
  DWORD domainLength = 0;
  SID_NAME_USE use{};
  LookupAccountNameW(nullptr, account.c_str(), nullptr, &sidSize, nullptr, &domainLength, &use);
  if (sidSize == 0) return {};
  std::vector<BYTE> sid(sidSize);
  std::wstring domain(domainLength + 1, L'\0');
  if (!LookupAccountNameW(nullptr, account.c_str(), sid.data(), &sidSize, domain.data(), &domainLength, &use) ||
      !IsValidSid(sid.data())) {
    return {};
  }
  return sid;
}

// The account's relative identifier: the last part of its security identifier.
uint32_t RelativeId(std::vector<BYTE>& sid) {
  const UCHAR parts = *GetSidSubAuthorityCount(sid.data());
  return parts == 0 ? 0 : *GetSidSubAuthority(sid.data(), parts - 1u);
}

class WindowsEventLog final : public EventLogService {
 public:
  void* RegisterSource(std::wstring_view source) override {
    return RegisterEventSourceW(nullptr, std::wstring(source).c_str());
  }

  void DeregisterSource(void* handle) override {
    if (handle != nullptr) DeregisterEventSource(handle);
  }

  bool Report(void* handle, EventType type, std::wstring_view text, const Account& user) override {
    if (handle == nullptr) return false;
    const std::wstring message(text);
    const wchar_t* strings[] = {message.c_str()};
    std::lock_guard lock(mutex_);
    std::vector<BYTE>* sid = user.known ? &SidFor(user.name) : nullptr;
    const PSID userSid = sid != nullptr && !sid->empty() ? sid->data() : nullptr;
    return ReportEventW(handle, static_cast<WORD>(type), 0, 0, userSid, 1, 0, strings, nullptr) != FALSE;
  }

  Account CurrentAccount() const override {
    Account account;
    account.name = CurrentUserName();
    if (account.name.empty()) return account;
    std::lock_guard lock(mutex_);
    std::vector<BYTE>& sid = SidFor(account.name);
    if (sid.empty()) return account;
    account.id = RelativeId(sid);
    account.known = true;
    return account;
  }

 private:
  // Looked up once per account: the lookup may ask a domain controller.
  std::vector<BYTE>& SidFor(const std::wstring& account) const {
    auto found = sids_.find(account);
    if (found == sids_.end()) found = sids_.emplace(account, SidOf(account)).first;
    return found->second;
  }

  mutable std::mutex mutex_;
  mutable std::map<std::wstring, std::vector<BYTE>> sids_;
};

}  // namespace

EventLogService& SystemEventLog() {
  // Never destroyed: exit-time handlers may still need it.
  static WindowsEventLog* const log = new WindowsEventLog;
  return *log;
}

}  // namespace ryn::platform
