// End-to-end driver: runs the real nookshade.exe and checks what a user sees.
//
//   nookshade_e2e.exe <path of nookshade.exe> <report file> [<screenshot handshake folder>]
//   nookshade_e2e.exe --windows   (the second process: windows to hide)
//
// The report gets one PASS/FAIL line per check and a last line
// "N passed, N failed". The exit status is 0 only when nothing failed.

#include <windows.h>

#include <cstdlib>
#include <string>

#include "app_process.h"
#include "poll.h"
#include "registry_access.h"
#include "report.h"
#include "scenario.h"

namespace {

struct Scenario {
  const char* name;
  void (*run)(const e2e::Context&);
};

constexpr Scenario kScenarios[] = {
    {"icon", e2e::RunIconResource},
    {"first_run", e2e::RunFirstRun},
    {"stored_values", e2e::RunStoredValues},
    {"stored_duplicate", e2e::RunStoredDuplicates},
    {"help", e2e::RunHelpMenu},
    {"hotkey_fields", e2e::RunHotkeyFields},
    {"password_field", e2e::RunPasswordField},
    {"login_entry", e2e::RunLoginEntry},
    {"start_button", e2e::RunStartButton},
    {"password_prompt", e2e::RunPasswordPrompt},
    {"hiding", e2e::RunHiding},
    {"fakework", e2e::RunFakeWork},
};

// NOOKSHADE_E2E_ONLY=name[,name...] runs a chosen few while working on them.
bool Selected(const char* name) {
  const char* only = std::getenv("NOOKSHADE_E2E_ONLY");
  if (only == nullptr || *only == '\0') return true;
  const std::string list = std::string(",") + only + ",";
  return list.find(std::string(",") + name + ",") != std::string::npos;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 2 && std::wstring(argv[1]) == e2e::kTestWindowsSwitch) return e2e::ShowTestWindows();
  if (argc < 3) {
    std::fputs("usage: nookshade_e2e <nookshade.exe> <report file> [<handshake folder>]\n", stderr);
    return 2;
  }
  e2e::Report report(argv[2]);
  if (!report.IsOpen()) {
    std::fputs("cannot open the report file\n", stderr);
    return 2;
  }
  const e2e::Context context{report, argv[1], argc > 3 ? std::wstring(argv[3]) : std::wstring()};
  e2e::StartRunBudget();
  report.Check("setup.program_exists",
               GetFileAttributesW(context.exe.c_str()) != INVALID_FILE_ATTRIBUTES,
               "nookshade.exe not found");
  for (const Scenario& scenario : kScenarios) {
    if (!Selected(scenario.name)) continue;
    if (!e2e::WithinRunBudget()) {
      report.Check(std::string(scenario.name) + ".run", false,
                   "skipped: the run's time budget is used up");
      continue;
    }
    scenario.run(context);
    // Whatever a scenario left behind must not leak into the next one.
    e2e::KillStrays();
  }
  e2e::ForgetSettings();
  report.Check("setup.within_time_budget", e2e::WithinRunBudget(),
               "the run used up its time budget; later checks did not wait");
  report.Summary();
  return report.failed() == 0 ? 0 : 1;
}
