// A fuzz input read as whole numbers from its end and texts from its front,
// in the layout of libFuzzer's FuzzedDataProvider, so that a seed means the
// same to the libFuzzer build and to the replay built with any compiler,
// which may have no clang headers at all.

#ifndef HOSTLIX_FUZZ_FUZZ_INPUT_H_
#define HOSTLIX_FUZZ_FUZZ_INPUT_H_

#include <cstddef>
#include <cstdint>
#include <string>

namespace hostlix {

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  // The next whole number from the end: up to four bytes, the last byte
  // most significant, offset so that all zero bytes give INT32_MIN. An
  // input with no bytes left gives INT32_MIN too.
  int32_t TakeInt32() {
    uint32_t value = 0;
    for (int i = 0; i < 4 && size_ > 0; ++i) value = (value << 8) | data_[--size_];
    return static_cast<int32_t>(value + 0x80000000u);
  }

  // The next text from the front, of at most `longest` bytes: "\\" stands
  // for one backslash, and a backslash before any other byte ends the text
  // (both bytes taken).
  std::string TakeText(size_t longest) {
    std::string text;
    while (text.size() < longest && size_ > 0) {
      char next = static_cast<char>(Take());
      if (next == '\\' && size_ > 0) {
        next = static_cast<char>(Take());
        if (next != '\\') break;
      }
      text += next;
    }
    return text;
  }

  // All the bytes left.
  std::string TakeRest() {
    std::string rest(reinterpret_cast<const char*>(data_), size_);
    size_ = 0;
    return rest;
  }

 private:
  uint8_t Take() {
    --size_;
    return *data_++;
  }

  const uint8_t* data_;
  size_t size_;
};

}  // namespace hostlix

#endif  // HOSTLIX_FUZZ_FUZZ_INPUT_H_
