// The event log as syslog: an event source is the ident its events are logged under.
#include <pwd.h>
#include <syslog.h>
#include <unistd.h>

#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/event_log.h"
#include "platform/linux/fd_writer.h"
#include "platform/linux/syslog_priority.h"
#include "platform/text_encoding.h"

namespace ryn::platform {
namespace {

class SyslogEventLog final : public EventLogService {
 public:
  void* RegisterSource(std::wstring_view source) override {
    std::lock_guard lock(mutex_);
    // syslog keeps the ident pointer it is given, so idents live as long as the process.
    return const_cast<std::string*>(&*idents_.insert(WideToNarrow(source)).first);
  }

  void DeregisterSource(void*) override {}

  bool Report(void* handle, EventType type, std::wstring_view text, const Account&) override {
    if (handle == nullptr) return false;
    const std::string message = WideToNarrow(WithoutLineEnd(text));
    std::lock_guard lock(mutex_);
    // The syslog daemon records the sender's credentials itself, so the account needs no
    // place in the message.
    openlog(static_cast<const std::string*>(handle)->c_str(), LOG_PID, LOG_USER);
    syslog(SyslogPriority(static_cast<uint16_t>(type)), "%s", message.c_str());
    return true;
  }

  Account CurrentAccount() const override {
    Account account;
    account.id = geteuid();
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(account.id, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr) {
      account.name = NarrowToWide(found->pw_name);
      account.known = true;
    }
    return account;
  }

 private:
  std::mutex mutex_;
  std::set<std::string> idents_;
};

}  // namespace

EventLogService& SystemEventLog() {
  // Never destroyed: exit-time handlers may still need it.
  static SyslogEventLog* const log = new SyslogEventLog;
  return *log;
}

}  // namespace ryn::platform
