// Where the saver keeps its per-user choices: text values addressed by application, section
// and key. The store holds no defaults; a reader supplies its own.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <tuple>

namespace vorlux {

inline constexpr std::wstring_view kSettingSection = L"Setting";
inline constexpr std::wstring_view kKeyColorFixed = L"ColorFixed";
inline constexpr std::wstring_view kKeyColorRandom = L"ColorRandom";
inline constexpr std::wstring_view kKeyBlackScreen = L"BlackScreen";
inline constexpr std::wstring_view kKeyMouseMove = L"MouseMove";
inline constexpr std::wstring_view kKeyActiveSetup = L"ActiveSetup";

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The stored text, or the default when the key has never been written.
  virtual std::wstring Read(std::wstring_view app, std::wstring_view section, std::wstring_view key,
                            std::wstring_view defaultValue) = 0;
  // Stores the text whole, replacing any earlier value; throws when the medium fails.
  virtual void Write(std::wstring_view app, std::wstring_view section, std::wstring_view key,
                     std::wstring_view value) = 0;
};

// A store in memory, for tests and tools.
class MemorySettingsStore : public SettingsStore {
 public:
  std::wstring Read(std::wstring_view app, std::wstring_view section, std::wstring_view key,
                    std::wstring_view defaultValue) override {
    const auto it = values_.find({std::wstring(app), std::wstring(section), std::wstring(key)});
    return it == values_.end() ? std::wstring(defaultValue) : it->second;
  }
  void Write(std::wstring_view app, std::wstring_view section, std::wstring_view key,
             std::wstring_view value) override {
    values_[{std::wstring(app), std::wstring(section), std::wstring(key)}] = std::wstring(value);
  }

 private:
  std::map<std::tuple<std::wstring, std::wstring, std::wstring>, std::wstring> values_;
};

}  // namespace vorlux
