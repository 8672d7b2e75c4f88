// Recording hotkeys in the three capture fields, and the password field's
// placeholder, by real key presses and clicks.

#include "expected_texts.h"
#include "registry_access.h"
#include "scenario.h"
#include "text.h"

namespace e2e {
namespace {

bool TextIs(HWND control, const wchar_t* expected) { return ReadText(control) == expected; }

// Ctrl held, then another key: the usual way of entering a hotkey. Ctrl
// arrives at the field as the generic code 17, which the field writes as
// "(Ctrl)" at once; the field is watched instead of timing the keys.
std::optional<MessageBoxView> RecordCtrlChord(Checker& check, const std::string& name, App& app,
                                              HWND field, WORD key, const std::wstring& afterCtrl,
                                              const std::wstring& afterKey, bool expectBox) {
  KeyDown(VK_CONTROL);
  check.Check(name + ".ctrl_written", WaitUntil([&] { return ReadText(field) == afterCtrl; }),
              Mismatch(afterCtrl, ReadText(field)));
  KeyDown(key);
  std::optional<MessageBoxView> box;
  if (expectBox) {
    box = WaitForMessageBox(app.pid(), kUiDeadlineMs);
  } else {
    check.Check(name + ".key_written", WaitUntil([&] { return ReadText(field) == afterKey; }),
                Mismatch(afterKey, ReadText(field)));
  }
  KeyUp(key);
  KeyUp(VK_CONTROL);
  return box;
}

}  // namespace

void RunHotkeyFields(const Context& context) {
  Checker check(context.report, "hotkey_fields");
  if (!check.Check("registry_cleared", ForgetSettings(), "could not delete the settings")) return;
  auto app = Launch(check, context);
  if (!app) return;
  if (!ExpectPanelVisible(check, *app, true)) return;
  HWND text2 = app->Control(ControlId::hideWindowHotkey);
  HWND text3 = app->Control(ControlId::hideAllHotkey);
  HWND fakeWorkHotkey = app->Control(ControlId::fakeWorkHotkey);
  if (!ExpectText(check, "loaded", fakeWorkHotkey, L"(Ctrl)k")) return;

  // Reset while the other two fields are filled: the field empties and the
  // empty hotkey is stored.
  Click(app->Control(ControlId::resetHideWindowHotkey));
  ExpectShownAndStored(check, "reset.hideWindowHotkey", text2, L"HKn", L"");
  ExpectNoMessageBox(check, "reset.no_message", *app);

  // Ctrl then H: "(Ctrl)" is stored at once, then "(Ctrl)h".
  if (!FocusByClick(check, "record.focus", *app, text2)) return;
  KeyDown(VK_CONTROL);
  ExpectShownAndStored(check, "record.after_ctrl", text2, L"HKn", L"(Ctrl)");
  KeyDown('H');
  ExpectText(check, "record.after_h", text2, L"(Ctrl)h");
  KeyUp('H');
  KeyUp(VK_CONTROL);
  ExpectSetting(check, "record.stored", kSavedData, L"HKn", L"(Ctrl)h");

  // Backspace takes the last key, a whole token at a time.
  PressUntil(VK_BACK, [&] { return TextIs(text2, L"(Ctrl)"); });
  ExpectShownAndStored(check, "backspace.letter", text2, L"HKn", L"(Ctrl)");
  PressUntil(VK_BACK, [&] { return TextIs(text2, L""); });
  ExpectShownAndStored(check, "backspace.token", text2, L"HKn", L"");

  // Ctrl then Space equals the hide-all hotkey: refused, field emptied.
  ExpectText(check, "duplicate.hideAllHotkey", text3, L"(Ctrl)(Space)");
  auto box = RecordCtrlChord(check, "duplicate", *app, text2, VK_SPACE, L"(Ctrl)", L"", true);
  CheckMessageBox(check, "duplicate.message", box, kDuplicateTitle, kDuplicateHotkey);
  ExpectShownAndStored(check, "duplicate.Text2_emptied", text2, L"HKn", L"");

  // Put Ctrl+H back, then the same duplicate in the fake-work field, whose
  // message spells "hotkey" in lower case.
  if (!FocusByClick(check, "rerecord.focus", *app, text2)) return;
  RecordCtrlChord(check, "rerecord", *app, text2, 'H', L"(Ctrl)", L"(Ctrl)h", false);
  ExpectSetting(check, "rerecord.stored", kSavedData, L"HKn", L"(Ctrl)h");
  Click(app->Control(ControlId::resetFakeWorkHotkey));
  ExpectShownAndStored(check, "fwhk_reset", fakeWorkHotkey, L"HKfw", L"");
  if (!FocusByClick(check, "fwhk_duplicate.focus", *app, fakeWorkHotkey)) return;
  box = RecordCtrlChord(check, "fwhk_duplicate", *app, fakeWorkHotkey, VK_SPACE, L"(Ctrl)", L"",
                        true);
  CheckMessageBox(check, "fwhk_duplicate.message", box, kDuplicateTitle, kDuplicateFakeWorkHotkey);
  ExpectShownAndStored(check, "fwhk_duplicate.emptied", fakeWorkHotkey, L"HKfw", L"");

  // Reset while another field is empty: two empty fields are a duplicate,
  // so the old hotkey stays stored for the next start.
  Click(app->Control(ControlId::resetHideWindowHotkey));
  ExpectMessageBox(check, "reset_duplicate.message", *app, kDuplicateTitle, kDuplicateHotkey);
  ExpectText(check, "reset_duplicate.hideWindowHotkey", text2, L"");
  ExpectSetting(check, "reset_duplicate.stored_kept", kSavedData, L"HKn", L"(Ctrl)h");

  // Backspace on "(Ctrl)(Space)" leaves "(Ctrl)"; Delete writes "(Del)".
  if (!FocusByClick(check, "tokens.focus", *app, text3)) return;
  PressUntil(VK_BACK, [&] { return TextIs(text3, L"(Ctrl)"); });
  ExpectShownAndStored(check, "tokens.backspace", text3, L"HKa", L"(Ctrl)");
  PressUntil(VK_DELETE, [&] { return TextIs(text3, L"(Ctrl)(Del)"); });
  ExpectShownAndStored(check, "tokens.delete", text3, L"HKa", L"(Ctrl)(Del)");
  ExpectNoMessageBox(check, "no_other_message_box", *app);
}

void RunPasswordField(const Context& context) {
  Checker check(context.report, "password_field");
  bool prepared = ForgetSettings() && WriteString(SettingsKey(kSavedData), L"Password", L"");
  if (!check.Check("registry_prepared", prepared, "could not store an empty password")) return;
  auto app = Launch(check, context);
  if (!app) return;
  if (!ExpectPanelVisible(check, *app, true)) return;
  HWND pw = app->Control(ControlId::password);
  HWND text2 = app->Control(ControlId::hideWindowHotkey);

  // An empty stored password shows, and stores, the placeholder.
  ExpectShownAndStored(check, "empty_shows_placeholder", pw, L"Password", kNoPassword);

  // A click into the placeholder clears it; leaving the empty field brings
  // it back. The store follows each change.
  if (!FocusByClick(check, "click.focus", *app, pw)) return;
  ExpectShownAndStored(check, "click.clears", pw, L"Password", L"");
  if (!FocusByClick(check, "leave.focus", *app, text2)) return;
  ExpectShownAndStored(check, "leave.placeholder_back", pw, L"Password", kNoPassword);

  // Typing stores the password keystroke by keystroke.
  if (!FocusByClick(check, "type.focus", *app, pw)) return;
  ExpectText(check, "type.cleared", pw, L"");
  PressUntil('A', [&] { return TextIs(pw, L"a"); });
  ExpectShownAndStored(check, "type.first_key", pw, L"Password", L"a");
  PressUntil('B', [&] { return TextIs(pw, L"ab"); });
  ExpectShownAndStored(check, "type.second_key", pw, L"Password", L"ab");
  // Leaving a field with a password keeps it.
  if (!FocusByClick(check, "keep.focus", *app, text2)) return;
  ExpectShownAndStored(check, "keep.password_stays", pw, L"Password", L"ab");
  ExpectNoMessageBox(check, "no_message_box", *app);
}

}  // namespace e2e
