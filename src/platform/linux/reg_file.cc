#include "platform/linux/reg_file.h"

#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <sstream>

#include "platform/text_encoding.h"

namespace ryn::platform {
namespace {

constexpr std::wstring_view kMachineRoot = L"HKEY_LOCAL_MACHINE\\";

std::wstring Upper(std::wstring_view text) {
  std::wstring out(text);
  for (wchar_t& c : out) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return out;
}

std::wstring_view Trim(std::wstring_view text) {
  while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == L' ' || text.back() == L'\t' || text.back() == L'\r')) text.remove_suffix(1);
  return text;
}

std::wstring Decode(std::string_view bytes) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE) {
    std::wstring out;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      char32_t unit = static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
      if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
        const char32_t low = static_cast<unsigned char>(bytes[i + 2]) | (static_cast<unsigned char>(bytes[i + 3]) << 8);
        if (low >= 0xDC00 && low < 0xE000) {
          unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
          i += 2;
        }
      }
      out += static_cast<wchar_t>(unit);
    }
    return out;
  }
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
  return NarrowToWide(bytes);
}

// Physical lines joined where a line ends in a backslash (long hex data).
std::vector<std::wstring> LogicalLines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  std::wstring pending;
  std::wistringstream stream(text);
  for (std::wstring raw; std::getline(stream, raw);) {
    std::wstring_view line = Trim(raw);
    const bool continues = !line.empty() && line.back() == L'\\' && !line.starts_with(L"[");
    if (continues) line.remove_suffix(1);
    pending += line;
    if (!continues) {
      lines.push_back(std::move(pending));
      pending.clear();
    }
  }
  if (!pending.empty()) lines.push_back(std::move(pending));
  return lines;
}

// A quoted text with \\ and \" escapes at the start of `text`; advances past the closing quote.
std::optional<std::wstring> QuotedText(std::wstring_view& text) {
  if (text.empty() || text.front() != L'"') return std::nullopt;
  std::wstring out;
  for (size_t i = 1; i < text.size(); ++i) {
    if (text[i] == L'\\' && i + 1 < text.size()) {
      out += text[++i];
    } else if (text[i] == L'"') {
      text.remove_prefix(i + 1);
      return out;
    } else {
      out += text[i];
    }
  }
  return std::nullopt;
}

std::optional<uint32_t> HexNumber(std::wstring_view digits, size_t maxDigits) {
  if (digits.empty() || digits.size() > maxDigits) return std::nullopt;
  uint32_t value = 0;
  for (wchar_t c : digits) {
    int digit = -1;
    if (c >= L'0' && c <= L'9') digit = c - L'0';
    if (c >= L'a' && c <= L'f') digit = c - L'a' + 10;
    if (c >= L'A' && c <= L'F') digit = c - L'A' + 10;
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<uint32_t>(digit);
  }
  return value;
}

std::optional<std::vector<uint8_t>> HexBytes(std::wstring_view list) {
  std::vector<uint8_t> bytes;
  if (Trim(list).empty()) return bytes;
  while (true) {
    const size_t comma = list.find(L',');
    const auto byte = HexNumber(Trim(list.substr(0, comma)), 2);
    if (!byte) return std::nullopt;
    bytes.push_back(static_cast<uint8_t>(*byte));
    if (comma == std::wstring_view::npos) return bytes;
    list.remove_prefix(comma + 1);
  }
}

// The data after "=": nothing for malformed data; a value without name for "-" (deletion).
std::optional<RegistryValue> ValueData(std::wstring_view data, bool* deletion) {
  data = Trim(data);
  RegistryValue value;
  *deletion = data == L"-";
  if (*deletion) return value;
  if (data.starts_with(L"\"")) {
    auto text = QuotedText(data);
    if (!text || !Trim(data).empty()) return std::nullopt;
    value.type = RegistryValue::Type::kString;
    value.string = std::move(*text);
    return value;
  }
  if (data.starts_with(L"dword:")) {
    const auto number = HexNumber(data.substr(6), 8);
    if (!number) return std::nullopt;
    value.type = RegistryValue::Type::kDword;
    value.dword = *number;
    return value;
  }
  if (data.starts_with(L"hex")) {
    const size_t colon = data.find(L':');
    if (colon == std::wstring_view::npos) return std::nullopt;
    const std::wstring_view kind = data.substr(3, colon - 3);
    const auto bytes = HexBytes(data.substr(colon + 1));
    if (!bytes) return std::nullopt;
    if (kind == L"(4)" && bytes->size() == 4) {
      value.type = RegistryValue::Type::kDword;
      value.dword = (*bytes)[0] | ((*bytes)[1] << 8) | ((*bytes)[2] << 16) | (static_cast<uint32_t>((*bytes)[3]) << 24);
    }
    return value;
  }
  return std::nullopt;
}

void SetValue(std::vector<RegistryValue>& values, RegistryValue value, bool deletion) {
  const std::wstring name = Upper(value.name);
  std::erase_if(values, [&](const RegistryValue& v) { return Upper(v.name) == name; });
  if (!deletion) values.push_back(std::move(value));
}

}  // namespace

RegFile RegFile::Parse(std::string_view bytes) {
  RegFile file;
  const std::vector<std::wstring> lines = LogicalLines(Decode(bytes));
  size_t first = 0;
  while (first < lines.size() && lines[first].empty()) ++first;
  if (first == lines.size() ||
      (lines[first] != L"Windows Registry Editor Version 5.00" && lines[first] != L"REGEDIT4")) {
    return file;
  }
  std::vector<RegistryValue>* current = nullptr;
  for (size_t i = first + 1; i < lines.size(); ++i) {
    std::wstring_view line = lines[i];
    if (line.empty() || line.front() == L';') continue;
    if (line.front() == L'[') {
      current = nullptr;
      if (line.back() != L']') continue;
      std::wstring_view path = line.substr(1, line.size() - 2);
      const bool deletion = path.starts_with(L"-");
      if (deletion) path.remove_prefix(1);
      while (path.ends_with(L"\\")) path.remove_suffix(1);
      const std::wstring key = Upper(Trim(path));
      if (key.empty()) continue;
      if (deletion) {
        std::erase_if(file.keys_, [&](const auto& entry) {
          return entry.first == key || entry.first.starts_with(key + L"\\");
        });
      } else {
        current = &file.keys_[key];
      }
      continue;
    }
    if (current == nullptr) continue;
    std::wstring name;
    if (line.starts_with(L"@")) {
      line.remove_prefix(1);
    } else {
      auto quoted = QuotedText(line);
      if (!quoted) continue;
      name = std::move(*quoted);
    }
    line = Trim(line);
    if (!line.starts_with(L"=")) continue;
    bool deletion = false;
    auto value = ValueData(line.substr(1), &deletion);
    if (!value) continue;
    value->name = std::move(name);
    SetValue(*current, std::move(*value), deletion);
  }
  return file;
}

std::optional<std::vector<RegistryValue>> RegFile::Key(std::wstring_view fullPath) const {
  const auto found = keys_.find(Upper(fullPath));
  if (found == keys_.end()) return std::nullopt;
  return found->second;
}

std::string DefaultRegistryFilePath() {
  const char* path = std::getenv("RYN_REGISTRY_FILE");
  return path != nullptr ? path : "/etc/ryn/registry.reg";
}

RegFileRegistry::RegFileRegistry(std::string path) : path_(std::move(path)) {}

std::optional<std::vector<RegistryValue>> RegFileRegistry::ReadKey(std::wstring_view path) const {
  std::FILE* file = std::fopen(path_.c_str(), "rb");
  if (file == nullptr) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, n);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return std::nullopt;
  return RegFile::Parse(bytes).Key(std::wstring(kMachineRoot) + std::wstring(path));
}

}  // namespace ryn::platform
