// Registry export files (".reg" text: "Windows Registry Editor Version 5.00" or "REGEDIT4",
// key headers in brackets, value lines below them) as a read-only registry.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"

namespace ryn::platform {

class RegFile {
 public:
  // Lines that cannot be read are skipped; a text without the header line holds no keys.
  // UTF-16LE (with its byte order mark) and UTF-8 are accepted.
  static RegFile Parse(std::string_view bytes);

  // The values of the key with the full path (root key included), in file order.
  std::optional<std::vector<RegistryValue>> Key(std::wstring_view fullPath) const;

 private:
  std::map<std::wstring, std::vector<RegistryValue>> keys_;  // by upper-case path
};

// The registry file named by $RYN_REGISTRY_FILE, else /etc/ryn/registry.reg; `path` overrides
// both. An absent or unreadable file is an empty registry.
class RegFileRegistry final : public Registry {
 public:
  explicit RegFileRegistry(std::string path);
  std::optional<std::vector<RegistryValue>> ReadKey(std::wstring_view path) const override;

 private:
  std::string path_;
};

std::string DefaultRegistryFilePath();

}  // namespace ryn::platform
