// Decodes a call's arguments from the fuzzer's bytes. Every decoder reads from the front and
// reads zeros once the bytes run out, so a short input still makes a complete call; choice lists
// put the ordinary case first, which makes an all-zero tail a valid, small call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <limits>

#include "RynRAZUdidazoror.h"

namespace ryn::fuzz {

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  bool Flag(int oneIn) { return Byte() % oneIn == oneIn - 1; }

  template <class T>
  T Raw() {
    uint8_t bytes[sizeof(T)] = {};
    for (auto& b : bytes) b = Byte();
    T value;
    std::memcpy(&value, bytes, sizeof(T));
    return value;
  }

  // One of `choices`, the first when the bytes have run out.
  int Pick(std::initializer_list<int> choices) { return choices.begin()[Byte() % choices.size()]; }

  // A width, height or length: mostly small, sometimes 0, negative, odd, large or huge.
  int Size() {
    switch (Byte() % 16) {
      case 0: case 1: case 2: case 3: case 4: case 5: case 6: case 7:
        return 1 + Byte() % 48;
      case 8: case 9:
        return 1 + Byte() % 8;
      case 10: case 11:
        return 48 + (Byte() | (Byte() << 8)) % 400;
      case 12:
        return 0;
      case 13:
        return Pick({-1, std::numeric_limits<int>::min(), -7, -65536});
      case 14:
        return Pick({1 << 16, (1 << 16) + 1, 1 << 20, 46341, std::numeric_limits<int>::max()});
      default:
        return 1000 + (Byte() | (Byte() << 8)) % 1100;
    }
  }
  IppiSize Region() {
    const int width = Size();
    return IppiSize{width, Size()};
  }

  // A row step for rows of `rowBytes`: mostly valid (the row, a little more, odd padding), else
  // 0, negative, smaller than the row, not a multiple of the element, or huge.
  int Step(int64_t rowBytes, int elementBytes) {
    const int64_t row = rowBytes > 0 ? rowBytes : 0;
    int64_t step;
    switch (Byte() % 16) {
      case 0: case 1: case 2: case 3: case 4:
        step = row;
        break;
      case 5: case 6: case 7: case 8:
        step = row + elementBytes * (Byte() % 24);
        break;
      case 9:
        step = row + 64 * (1 + Byte() % 4);
        break;
      case 10:
        step = 0;
        break;
      case 11:
        step = -(row + elementBytes * (Byte() % 4));
        break;
      case 12:
        step = row - elementBytes * (1 + Byte() % 4);
        break;
      case 13:
        step = row + 1 + Byte() % (elementBytes > 1 ? elementBytes - 1 : 1);
        break;
      case 14:
        step = Pick({1 << 30, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()});
        break;
      default:
        step = row + Byte();
        break;
    }
    if (step > std::numeric_limits<int>::max()) step = std::numeric_limits<int>::max();
    if (step < std::numeric_limits<int>::min()) step = std::numeric_limits<int>::min();
    return static_cast<int>(step);
  }

  // A small integer around the valid range [low, high]: mostly inside, sometimes just outside
  // or far away.
  int Code(int low, int high) {
    switch (Byte() % 8) {
      case 6:
        return Pick({low - 1, high + 1});
      case 7:
        return Pick({-1, 1 << 20, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()});
      default: {
        const int64_t span = static_cast<int64_t>(high) - low + 1;
        return static_cast<int>(low + static_cast<int64_t>(Raw<uint16_t>()) % span);
      }
    }
  }

  // A float: ordinary values mostly, sometimes zero, negative zero, tiny, huge, infinite or NaN.
  float Float() {
    switch (Byte() % 12) {
      case 0:
        return Raw<float>();
      case 1: {
        const float special[] = {0.0f, -0.0f, 1e-40f, -1e-40f, 3.4e38f, -3.4e38f,
                                 std::numeric_limits<float>::infinity(),
                                 -std::numeric_limits<float>::infinity(),
                                 std::numeric_limits<float>::quiet_NaN(), 1.0f, -1.0f, 0.5f};
        return special[Byte() % (sizeof special / sizeof special[0])];
      }
      default:
        return static_cast<float>(static_cast<int16_t>(Raw<uint16_t>())) / 64.0f;
    }
  }
  double Double() { return Float(); }

  bool Exhausted() const { return at_ >= size_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

}  // namespace ryn::fuzz
