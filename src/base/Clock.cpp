#include "base/Clock.h"

#include <cstdio>
#include <random>

namespace pagora {

std::string Clock::ShortDate() const {
  const std::tm t = Now();
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
  return text;
}

std::string Clock::LongTime() const {
  const std::tm t = Now();
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
  return text;
}

std::tm SystemClock::Now() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

std::string RandomIdSource::NewGuid() {
  static thread_local std::mt19937_64 engine{std::random_device{}()};
  unsigned char b[16];
  for (int i = 0; i < 16; i += 8) {
    const auto value = engine();
    for (int j = 0; j < 8; ++j) b[i + j] = static_cast<unsigned char>(value >> (8 * j));
  }
  b[6] = static_cast<unsigned char>((b[6] & 0x0F) | 0x40);  // version 4
  b[8] = static_cast<unsigned char>((b[8] & 0x3F) | 0x80);  // variant 1
  char text[40];
  std::snprintf(text, sizeof text,
                "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", b[0],
                b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], b[13],
                b[14], b[15]);
  return text;
}

}  // namespace pagora
