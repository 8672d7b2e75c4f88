#pragma once
// A typed password: move-only, and its characters are overwritten before the
// memory goes back to the allocator, so a wiped answer leaves no copy behind.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace nookshade {

inline void WipeString(std::string& text) noexcept {
  volatile char* bytes = text.data();
  for (std::size_t i = 0; i < text.capacity(); ++i) bytes[i] = 0;
  text.clear();
}

class SecretString {
 public:
  SecretString() = default;
  explicit SecretString(std::string text) noexcept : text_(std::move(text)) {}
  SecretString(SecretString&& other) noexcept : text_(std::move(other.text_)) { other.Wipe(); }
  SecretString& operator=(SecretString&& other) noexcept {
    if (this != &other) {
      Wipe();
      text_ = std::move(other.text_);
      other.Wipe();
    }
    return *this;
  }
  SecretString(const SecretString&) = delete;
  SecretString& operator=(const SecretString&) = delete;
  ~SecretString() { Wipe(); }

  std::string_view View() const noexcept { return text_; }
  bool Empty() const noexcept { return text_.empty(); }
  void Wipe() noexcept { WipeString(text_); }

 private:
  std::string text_;
};

}  // namespace nookshade
