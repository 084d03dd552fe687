#include "text/json_sax_reader.h"

#include <climits>

namespace vesk {

bool CJsonSaxReader::Parse(const std::string& text) {
  m_skip = 0;
  m_stop = false;
  return nlohmann::json::sax_parse(text, this) && !m_stop;
}

bool CJsonSaxReader::OpenEvent(bool array) {
  if (m_skip > 0 || !Open(array)) ++m_skip;
  return !m_stop;
}

bool CJsonSaxReader::CloseEvent() {
  if (m_skip > 0) {
    --m_skip;
  } else {
    Close();
  }
  return !m_stop;
}

bool CJsonSaxReader::ScalarEvent(Scalar kind, long long integer, std::string* text) {
  if (m_skip > 0) return true;
  std::string none;
  Value(kind, integer, text != nullptr ? *text : none);
  return !m_stop;
}

bool CJsonSaxReader::null() { return ScalarEvent(Scalar::Null, 0, nullptr); }
bool CJsonSaxReader::boolean(bool) { return ScalarEvent(Scalar::Boolean, 0, nullptr); }
bool CJsonSaxReader::number_integer(number_integer_t v) {
  return ScalarEvent(Scalar::Integer, static_cast<long long>(v), nullptr);
}
bool CJsonSaxReader::number_unsigned(number_unsigned_t v) {
  // Beyond any count the readers compare with: kept as the largest value.
  const long long n =
      v > static_cast<number_unsigned_t>(LLONG_MAX) ? LLONG_MAX : static_cast<long long>(v);
  return ScalarEvent(Scalar::Integer, n, nullptr);
}
bool CJsonSaxReader::number_float(number_float_t, const string_t&) {
  return ScalarEvent(Scalar::Float, 0, nullptr);
}
bool CJsonSaxReader::string(string_t& v) { return ScalarEvent(Scalar::String, 0, &v); }
bool CJsonSaxReader::binary(binary_t&) { return ScalarEvent(Scalar::Null, 0, nullptr); }
bool CJsonSaxReader::start_object(std::size_t) { return OpenEvent(false); }
bool CJsonSaxReader::key(string_t& v) {
  if (m_skip == 0) Key(v);
  return !m_stop;
}
bool CJsonSaxReader::end_object() { return CloseEvent(); }
bool CJsonSaxReader::start_array(std::size_t) { return OpenEvent(true); }
bool CJsonSaxReader::end_array() { return CloseEvent(); }
bool CJsonSaxReader::parse_error(std::size_t, const std::string&,
                                 const nlohmann::detail::exception&) {
  return false;
}

}  // namespace vesk
