// A one-pass JSON reader for outside files that keeps only what its subclass asks for: the
// parser's events reduced to containers opening and closing, member names and scalar values,
// with everything below an ignored container skipped by a counter. Time is linear in the
// input, memory is what the subclass keeps plus one token.
#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <string>

namespace vesk {

class CJsonSaxReader : public nlohmann::json_sax<nlohmann::json> {
 public:
  // What a scalar value is; the integer is set for Integer, the text for String.
  enum class Scalar { Null, Boolean, Integer, Float, String };

  // Parses text, calling the handlers below; false on malformed JSON or when a handler stopped.
  bool Parse(const std::string& text);

 protected:
  // A container opens in the one being read (depth counts from 1 for the top value). False:
  // skip it with everything inside.
  virtual bool Open(bool array) = 0;
  // The container taken by Open closes.
  virtual void Close() = 0;
  // A member name in an object taken by Open.
  virtual void Key(std::string& name) = 0;
  // A scalar value in a container taken by Open (or at the top).
  virtual void Value(Scalar kind, long long integer, std::string& text) = 0;
  // Ends the parse early (the reader has what it needs, or gives up).
  void Stop() { m_stop = true; }

 private:
  bool OpenEvent(bool array);
  bool CloseEvent();
  bool ScalarEvent(Scalar kind, long long integer, std::string* text);

 public:
  // The parser's events (public only because the parser calls them).
  bool null() override;
  bool boolean(bool) override;
  bool number_integer(number_integer_t v) override;
  bool number_unsigned(number_unsigned_t v) override;
  bool number_float(number_float_t, const string_t&) override;
  bool string(string_t& v) override;
  bool binary(binary_t&) override;
  bool start_object(std::size_t) override;
  bool key(string_t& v) override;
  bool end_object() override;
  bool start_array(std::size_t) override;
  bool end_array() override;
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override;

 private:
  std::size_t m_skip = 0;  // open containers inside a skipped one, itself included
  bool m_stop = false;
};

}  // namespace vesk
