#pragma once
// The panel's controls as plain objects. They keep the toolkit's ordering
// rule that the panel's logic depends on: writing a different text or value
// runs the control's change (or click) handler before the write returns.
// Every write is also reported to the observer, which mirrors it on screen.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/panel_view.h"

namespace nookshade {

enum class TextEncoding { Utf8, Windows1252 };

class ControlObserver {
 public:
  virtual ~ControlObserver() = default;
  virtual void ControlChanged(ControlId control) = 0;
};

class Control {
 public:
  explicit Control(ControlId id) : id_(id) {}
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  ControlId Id() const { return id_; }
  void SetObserver(ControlObserver* observer) { observer_ = observer; }

 protected:
  void Notify() const {
    if (observer_ != nullptr) observer_->ControlChanged(id_);
  }

 private:
  ControlId id_;
  ControlObserver* observer_ = nullptr;
};

class TextBox : public Control {
 public:
  TextBox(ControlId id, TextEncoding encoding, std::string initial = {})
      : Control(id), encoding_(encoding), text_(std::move(initial)) {}

  TextEncoding Encoding() const { return encoding_; }
  const std::string& Text() const { return text_; }
  void SetText(std::string_view text) {
    if (text == text_) return;
    text_.assign(text);
    if (selStart_ > text_.size()) selStart_ = text_.size();
    if (selStart_ + selLength_ > text_.size()) selLength_ = text_.size() - selStart_;
    Notify();
    if (onChange) onChange();
  }

  std::size_t SelStart() const { return selStart_; }
  std::size_t SelLength() const { return selLength_; }
  // Out-of-range positions are clamped, as an edit control clamps them.
  void SetSelection(std::size_t start, std::size_t length) {
    selStart_ = start > text_.size() ? text_.size() : start;
    selLength_ = length > text_.size() - selStart_ ? text_.size() - selStart_ : length;
    Notify();
  }

  void Click() {
    if (onClick) onClick();
  }
  void LostFocus() {
    if (onLostFocus) onLostFocus();
  }
  void KeyDown(int virtualKey) {
    if (onKeyDown) onKeyDown(virtualKey);
  }

  std::function<void()> onChange;
  std::function<void()> onClick;
  std::function<void()> onLostFocus;
  std::function<void(int)> onKeyDown;

 private:
  TextEncoding encoding_;
  std::string text_;
  std::size_t selStart_ = 0;
  std::size_t selLength_ = 0;
};

// Values: 0 unchecked, 1 checked, 2 grayed.
class CheckBox : public Control {
 public:
  using Control::Control;
  int Value() const { return value_; }
  void SetValue(int value) {
    if (value == value_) return;
    value_ = value;
    Notify();
    if (onClick) onClick();
  }
  // A user's click: checked becomes unchecked, anything else checked.
  void Click() { SetValue(value_ == 1 ? 0 : 1); }

  std::function<void()> onClick;

 private:
  int value_ = 0;
};

}  // namespace nookshade
