#pragma once

#include <ctime>
#include <string>

namespace pagora {

// Today's date and the time, so that tests can fix them.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::tm Now() const = 0;

  // "yyyy-MM-dd": no "/" so that a catalog number made from a date is a folder name.
  std::string ShortDate() const;
  // "HH:mm:ss".
  std::string LongTime() const;
};

class SystemClock final : public Clock {
 public:
  std::tm Now() const override;
};

// New GUIDs, in the registry form "{8-4-4-4-12}" with upper-case hex digits.
class IdSource {
 public:
  virtual ~IdSource() = default;
  virtual std::string NewGuid() = 0;
};

class RandomIdSource final : public IdSource {
 public:
  std::string NewGuid() override;
};

}  // namespace pagora
