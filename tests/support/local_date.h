// Dates as the imports store them: the local calendar day of a time, and a node's day, as text.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "document/link_info.h"

namespace vesk::test {

// "year/month/day" of seconds since 1970 in local time.
inline std::string LocalDate(std::int64_t seconds) {
  std::time_t t = static_cast<std::time_t>(seconds);
  std::tm local{};
  localtime_r(&t, &local);
  return std::to_string(local.tm_year + 1900) + "/" + std::to_string(local.tm_mon + 1) + "/" +
         std::to_string(local.tm_mday);
}

// "year/month/day" of a node's date fields.
inline std::string NodeDate(const LINKINFO& node) {
  return std::to_string(node.m_nYear) + "/" + std::to_string(node.m_nMonth) + "/" +
         std::to_string(node.m_nDay);
}

}  // namespace vesk::test
