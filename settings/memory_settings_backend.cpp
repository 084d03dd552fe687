#include "settings/memory_settings_backend.h"

namespace vesk {

bool CMemorySettingsBackend::ApplyCreateKey(const std::string& keyPath) {
  bool created = false;
  m_tree.Create(Full(keyPath), &created);
  return created;
}

bool CMemorySettingsBackend::ApplyWrite(const std::string& keyPath, const std::string& name,
                                        std::variant<std::uint32_t, std::string> data) {
  bool created = false;
  SettingsKey& key = m_tree.Create(Full(keyPath), &created);
  return key.SetValue(name, std::move(data)) || created;
}

bool CMemorySettingsBackend::ApplyDeleteValue(const std::string& keyPath, const std::string& name) {
  SettingsKey* key = m_tree.Find(Full(keyPath));
  return key && key->RemoveValue(name);
}

bool CMemorySettingsBackend::ApplyDeleteKey(const std::string& keyPath) {
  return m_tree.Delete(Full(keyPath));
}

const SettingsValue* CMemorySettingsBackend::Find(const std::string& keyPath,
                                                  const std::string& name) const {
  const SettingsKey* key = m_tree.Find(Full(keyPath));
  return key ? key->FindValue(name) : nullptr;
}

bool CMemorySettingsBackend::CreateKey(const std::string& keyPath) {
  ApplyCreateKey(keyPath);
  return true;
}

bool CMemorySettingsBackend::KeyExists(const std::string& keyPath) {
  return m_tree.Find(Full(keyPath)) != nullptr;
}

std::optional<std::uint32_t> CMemorySettingsBackend::ReadDword(const std::string& keyPath,
                                                               const std::string& name) {
  const SettingsValue* v = Find(keyPath, name);
  if (!v || !std::holds_alternative<std::uint32_t>(v->data)) return std::nullopt;
  return std::get<std::uint32_t>(v->data);
}

std::optional<std::string> CMemorySettingsBackend::ReadString(const std::string& keyPath,
                                                              const std::string& name) {
  const SettingsValue* v = Find(keyPath, name);
  if (!v || !std::holds_alternative<std::string>(v->data)) return std::nullopt;
  return std::get<std::string>(v->data);
}

bool CMemorySettingsBackend::WriteDword(const std::string& keyPath, const std::string& name,
                                        std::uint32_t value) {
  ApplyWrite(keyPath, name, value);
  return true;
}

bool CMemorySettingsBackend::WriteString(const std::string& keyPath, const std::string& name,
                                         const std::string& value) {
  ApplyWrite(keyPath, name, value);
  return true;
}

bool CMemorySettingsBackend::DeleteValue(const std::string& keyPath, const std::string& name) {
  return ApplyDeleteValue(keyPath, name);
}

bool CMemorySettingsBackend::DeleteKey(const std::string& keyPath) {
  return ApplyDeleteKey(keyPath);
}

std::vector<std::string> CMemorySettingsBackend::EnumSubkeys(const std::string& keyPath) {
  std::vector<std::string> names;
  if (const SettingsKey* key = m_tree.Find(Full(keyPath)))
    for (const auto& k : key->subkeys) names.push_back(k.name);
  return names;
}

}  // namespace vesk
