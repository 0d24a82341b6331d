// The settings store in the per-user registry: HKCU\Software\<application>\<section>, one
// REG_SZ value per key, Unicode text of any length.
#pragma once

#include <string>
#include <string_view>

#include "config/settings_store.h"

namespace vorlux {

class RegistrySettingsStore : public SettingsStore {
 public:
  std::wstring Read(std::wstring_view app, std::wstring_view section, std::wstring_view key,
                    std::wstring_view defaultValue) override;
  // Throws std::runtime_error when the registry refuses the value.
  void Write(std::wstring_view app, std::wstring_view section, std::wstring_view key,
             std::wstring_view value) override;
};

}  // namespace vorlux
