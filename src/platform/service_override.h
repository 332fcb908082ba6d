// Every platform service is reached through an accessor that returns the system's implementation
// unless a test has installed a fake in its place.
#pragma once

#include <atomic>

namespace ryn::platform {

template <class Service, Service& (*SystemService)()>
class ServiceOverride {
 public:
  static Service& Active() {
    Service* fake = fake_.load(std::memory_order_acquire);
    return fake != nullptr ? *fake : SystemService();
  }
  // Tests only; the caller keeps `fake` alive until it installs nullptr again.
  static void SetForTesting(Service* fake) { fake_.store(fake, std::memory_order_release); }

 private:
  static inline std::atomic<Service*> fake_{nullptr};
};

}  // namespace ryn::platform
