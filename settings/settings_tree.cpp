#include "settings/settings_tree.h"

#include <algorithm>

namespace vesk {

namespace {

bool IsCp932Lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace

std::string FoldSettingsName(const std::string& name) {
  std::string out = name;
  for (std::size_t i = 0; i < out.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(out[i]);
    if (IsCp932Lead(c)) {
      ++i;  // the trail byte may look like an ASCII letter but is not one
    } else if (c >= 'A' && c <= 'Z') {
      out[i] = static_cast<char>(c - 'A' + 'a');
    }
  }
  return out;
}

bool SettingsNameEquals(std::string_view a, std::string_view b) {
  // Folds as it compares: names are looked up on every settings read, so no copies.
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (IsCp932Lead(x)) {
      // The trail byte may look like an ASCII letter but is not one.
      if (x != y || (i + 1 < a.size() && a[i + 1] != b[i + 1])) return false;
      ++i;
      continue;
    }
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
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

namespace {

// Calls visit(part) for each non-empty part of a backslash-separated key path, in order, until
// visit returns false; no part is copied.
template <typename Visit>
void ForEachKeyPart(std::string_view keyPath, Visit visit) {
  std::size_t start = 0;
  while (start <= keyPath.size()) {
    std::size_t end = keyPath.find('\\', start);
    if (end == std::string_view::npos) end = keyPath.size();
    if (end > start && !visit(keyPath.substr(start, end - start))) return;
    start = end + 1;
  }
}

}  // namespace

SettingsKey* SettingsKey::FindSubkey(std::string_view keyName) {
  for (auto& k : subkeys)
    if (SettingsNameEquals(k.name, keyName)) return &k;
  return nullptr;
}

const SettingsKey* SettingsKey::FindSubkey(std::string_view keyName) const {
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
  ForEachKeyPart(keyPath, [&](std::string_view part) {
    key = key->FindSubkey(part);
    return key != nullptr;
  });
  return key;
}

const SettingsKey* CSettingsTree::Find(const std::string& keyPath) const {
  return const_cast<CSettingsTree*>(this)->Find(keyPath);
}

SettingsKey& CSettingsTree::Create(const std::string& keyPath, bool* created) {
  if (created) *created = false;
  SettingsKey* key = &m_root;
  ForEachKeyPart(keyPath, [&](std::string_view part) {
    SettingsKey* next = key->FindSubkey(part);
    if (!next) {
      key->subkeys.push_back(SettingsKey{std::string(part), {}, {}});
      next = &key->subkeys.back();
      if (created) *created = true;
    }
    key = next;
    return true;
  });
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
