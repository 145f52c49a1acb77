// Little-endian encoding and decoding of the binary files' fields. All the
// byte-order code of the project lives here.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

namespace sb {

// Writers into a buffer already sized for the field; each returns the byte
// after the field it wrote.
inline char* put_u16(char* p, uint16_t v) {
  p[0] = static_cast<char>(v & 0xff);
  p[1] = static_cast<char>(v >> 8);
  return p + 2;
}

inline char* put_u32(char* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<char>((v >> (8 * i)) & 0xff);
  return p + 4;
}

inline char* put_f64(char* p, double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(p, &bits, 8);
  } else {
    for (int i = 0; i < 8; ++i) p[i] = static_cast<char>((bits >> (8 * i)) & 0xff);
  }
  return p + 8;
}

// The same fields appended to a growing file.
inline void put_u8(std::string& dst, uint8_t v) { dst.push_back(static_cast<char>(v)); }

inline void put_u16(std::string& dst, uint16_t v) {
  char b[2];
  put_u16(b, v);
  dst.append(b, sizeof b);
}

inline void put_i16(std::string& dst, int16_t v) { put_u16(dst, static_cast<uint16_t>(v)); }

inline void put_u32(std::string& dst, uint32_t v) {
  char b[4];
  put_u32(b, v);
  dst.append(b, sizeof b);
}

inline void put_i32(std::string& dst, int32_t v) { put_u32(dst, static_cast<uint32_t>(v)); }

inline void put_f64(std::string& dst, double v) {
  char b[8];
  put_f64(b, v);
  dst.append(b, sizeof b);
}

inline uint8_t get_u8(const char* p) { return static_cast<uint8_t>(p[0]); }

inline uint16_t get_u16(const char* p) {
  return static_cast<uint16_t>(get_u8(p) | (get_u8(p + 1) << 8));
}

inline int16_t get_i16(const char* p) { return static_cast<int16_t>(get_u16(p)); }

inline uint32_t get_u32(const char* p) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | get_u8(p + i);
  return v;
}

inline int32_t get_i32(const char* p) { return static_cast<int32_t>(get_u32(p)); }

inline double get_f64(const char* p) {
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | get_u8(p + i);
  double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

}  // namespace sb
