// The settings store in the per-user registry: HKCU\Software\<application>\<section>, one
// REG_SZ value per key, Unicode text of any length.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "config/settings_store.h"

namespace vorlux {

class RegistrySettingsStore : public SettingsStore {
 public:
  // The hive that holds the application's key; the program's store is the current user's.
  explicit RegistrySettingsStore(HKEY root = HKEY_CURRENT_USER) : root_(root) {}

  std::wstring Read(std::wstring_view app, std::wstring_view section, std::wstring_view key,
                    std::wstring_view defaultValue) override;
  // Throws Error when the registry refuses the value.
  void Write(std::wstring_view app, std::wstring_view section, std::wstring_view key,
             std::wstring_view value) override;

 private:
  HKEY root_;
};

}  // namespace vorlux
