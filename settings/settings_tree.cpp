#include "settings/settings_tree.h"

#include <algorithm>

namespace vesk {

namespace {

bool IsSjisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace

std::string FoldSettingsName(const std::string& name) {
  std::string out = name;
  for (std::size_t i = 0; i < out.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(out[i]);
    if (IsSjisLead(c)) {
      ++i;  // the trail byte may look like an ASCII letter but is not one
    } else if (c >= 'A' && c <= 'Z') {
      out[i] = static_cast<char>(c - 'A' + 'a');
    }
  }
  return out;
}

bool SettingsNameEquals(const std::string& a, const std::string& b) {
  return a.size() == b.size() && FoldSettingsName(a) == FoldSettingsName(b);
}

std::vector<std::string> SplitKeyPath(const std::string& keyPath) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : keyPath) {
    if (c == '\\') {
      if (!current.empty()) parts.push_back(current);
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty()) parts.push_back(current);
  return parts;
}

std::string JoinKeyPath(const std::string& parent, const std::string& keyPath) {
  if (keyPath.empty()) return parent;
  if (parent.empty()) return keyPath;
  return parent + "\\" + keyPath;
}

SettingsKey* SettingsKey::FindSubkey(const std::string& keyName) {
  for (auto& k : subkeys)
    if (SettingsNameEquals(k.name, keyName)) return &k;
  return nullptr;
}

const SettingsKey* SettingsKey::FindSubkey(const std::string& keyName) const {
  return const_cast<SettingsKey*>(this)->FindSubkey(keyName);
}

SettingsValue* SettingsKey::FindValue(const std::string& valueName) {
  for (auto& v : values)
    if (SettingsNameEquals(v.name, valueName)) return &v;
  return nullptr;
}

const SettingsValue* SettingsKey::FindValue(const std::string& valueName) const {
  return const_cast<SettingsKey*>(this)->FindValue(valueName);
}

bool SettingsKey::SetValue(const std::string& valueName,
                           std::variant<std::uint32_t, std::string> data) {
  if (SettingsValue* v = FindValue(valueName)) {
    if (v->data == data) return false;
    v->data = std::move(data);
    return true;
  }
  values.push_back(SettingsValue{valueName, std::move(data)});
  return true;
}

bool SettingsKey::RemoveValue(const std::string& valueName) {
  auto it = std::find_if(values.begin(), values.end(), [&](const SettingsValue& v) {
    return SettingsNameEquals(v.name, valueName);
  });
  if (it == values.end()) return false;
  values.erase(it);
  return true;
}

SettingsKey* CSettingsTree::Find(const std::string& keyPath) {
  SettingsKey* key = &m_root;
  for (const auto& part : SplitKeyPath(keyPath)) {
    key = key->FindSubkey(part);
    if (!key) return nullptr;
  }
  return key;
}

const SettingsKey* CSettingsTree::Find(const std::string& keyPath) const {
  return const_cast<CSettingsTree*>(this)->Find(keyPath);
}

SettingsKey& CSettingsTree::Create(const std::string& keyPath, bool* created) {
  if (created) *created = false;
  SettingsKey* key = &m_root;
  for (const auto& part : SplitKeyPath(keyPath)) {
    SettingsKey* next = key->FindSubkey(part);
    if (!next) {
      key->subkeys.push_back(SettingsKey{part, {}, {}});
      next = &key->subkeys.back();
      if (created) *created = true;
    }
    key = next;
  }
  return *key;
}

bool CSettingsTree::Delete(const std::string& keyPath) {
  auto parts = SplitKeyPath(keyPath);
  if (parts.empty()) {
    bool had = !m_root.values.empty() || !m_root.subkeys.empty();
    m_root.values.clear();
    m_root.subkeys.clear();
    return had;
  }
  SettingsKey* parent = &m_root;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    parent = parent->FindSubkey(parts[i]);
    if (!parent) return false;
  }
  auto it = std::find_if(parent->subkeys.begin(), parent->subkeys.end(), [&](const SettingsKey& k) {
    return SettingsNameEquals(k.name, parts.back());
  });
  if (it == parent->subkeys.end()) return false;
  parent->subkeys.erase(it);
  return true;
}

}  // namespace vesk
